// Sets the manuals as PDF files and writes the word list of the help pages'
// search, at build time. Runs without a display (QT_QPA_PLATFORM=offscreen).
//
//   zodmanual pdf <manual.md> <manual.pdf>
//   zodmanual search <searchdata.js> <page.html>...
#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <cstdio>
#include <string>

#include "report/core/pdffile.h"

namespace {

bool ReadText(const QString& path, QString& text) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "zodmanual: cannot read %s\n", qPrintable(path));
    return false;
  }
  text = QString::fromUtf8(f.readAll());
  return true;
}

// Tables of the Markdown importer have no rules; give them thin ones.
// Widths are in device pixels: `point` is one point of the page.
void StyleTables(QTextFrame* frame, double point) {
  for (QTextFrame* child : frame->childFrames()) {
    if (auto* table = qobject_cast<QTextTable*>(child)) {
      QTextTableFormat f = table->format();
      f.setBorder(0.4 * point);
      f.setBorderBrush(QColor(120, 120, 120));
      f.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
      f.setBorderCollapse(true);
      f.setCellPadding(1.5 * point);
      f.setCellSpacing(0);
      f.setHeaderRowCount(1);
      table->setFormat(f);
      for (int c = 0; c < table->columns(); ++c) {
        QTextTableCell cell = table->cellAt(0, c);
        QTextCharFormat head = cell.format();
        head.setBackground(QColor(225, 232, 240));
        cell.setFormat(head);
      }
    }
    StyleTables(child, point);
  }
}

// Code blocks hold file lines far wider than a page: set them small and let
// them wrap anywhere instead of running off the paper.
void WrapCodeBlocks(QTextDocument& doc) {
  for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
    if (!b.blockFormat().nonBreakableLines()) continue;
    QTextCursor c(b);
    QTextBlockFormat bf = b.blockFormat();
    bf.setNonBreakableLines(false);
    c.setBlockFormat(bf);
    c.select(QTextCursor::BlockUnderCursor);
    QTextCharFormat small;
    small.setFontPointSize(7.5);
    c.mergeCharFormat(small);
  }
}

int WritePdf(const QString& source, const QString& target) {
  QString markdown;
  if (!ReadText(source, markdown)) return 1;
  // The first heading is the manual's title, for the page footers.
  const QString title = QRegularExpression(QStringLiteral("^#\\s+(.+)$"), QRegularExpression::MultilineOption)
                            .match(markdown)
                            .captured(1)
                            .trimmed();

  // Set in memory: the text layer is mended before the file is written.
  QBuffer pdf;
  pdf.open(QIODevice::WriteOnly);
  QPdfWriter writer(&pdf);
  writer.setPageSize(QPageSize(QPageSize::A4));
  writer.setPageMargins(QMarginsF(20, 18, 20, 16), QPageLayout::Millimeter);
  writer.setResolution(300);
  writer.setTitle(title);
  writer.setCreator(QStringLiteral("Zidavoru ZOD"));

  QTextDocument doc;
  doc.documentLayout()->setPaintDevice(&writer);
  QFont body(QStringLiteral("Liberation Sans"));
  body.setPointSizeF(10);
  doc.setDefaultFont(body);
  QTextOption wrap = doc.defaultTextOption();
  wrap.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  doc.setDefaultTextOption(wrap);
  doc.setMarkdown(markdown);
  StyleTables(doc.rootFrame(), writer.resolution() / 72.0);
  WrapCodeBlocks(doc);

  const QRectF paper = writer.pageLayout().paintRectPixels(writer.resolution());
  const double footer = writer.resolution() * 0.35;  // room for the page line, in device pixels
  const QSizeF page(paper.width(), paper.height() - footer);
  doc.setPageSize(page);
  const int pages = doc.pageCount();

  QPainter p(&writer);
  if (!p.isActive()) {
    std::fprintf(stderr, "zodmanual: cannot write %s\n", qPrintable(target));
    return 1;
  }
  QFont small = body;
  small.setPointSizeF(8);
  for (int i = 0; i < pages; ++i) {
    if (i > 0) writer.newPage();
    p.save();
    p.translate(0, -i * page.height());
    doc.drawContents(&p, QRectF(0, i * page.height(), page.width(), page.height()));
    p.restore();
    const double y = paper.height() - footer * 0.55;
    p.setPen(QPen(QColor(150, 150, 150), 2));
    p.drawLine(QPointF(0, y), QPointF(page.width(), y));
    p.setFont(small);
    p.setPen(QColor(90, 90, 90));
    const QRectF line(0, y + 6, page.width(), footer * 0.55);
    p.drawText(line, Qt::AlignLeft | Qt::AlignTop, QStringLiteral("Zidavoru ZOD \u2013 ") + title);
    p.drawText(line, Qt::AlignRight | Qt::AlignTop, QStringLiteral("Page %1 of %2").arg(i + 1).arg(pages));
  }
  // The font maps as the report's: a space would copy and search as a tab.
  std::string bytes = p.end() ? pdf.data().toStdString() : std::string();
  const bool whole = zod::FinishPdf(bytes);
  QFile out(target);
  const auto size = static_cast<qint64>(bytes.size());
  if (!whole || !out.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
      out.write(bytes.data(), size) != size || !out.flush()) {
    std::fprintf(stderr, "zodmanual: cannot write %s\n", qPrintable(target));
    return 1;
  }
  return 0;
}

// The help pages cannot be read by the search page itself (a browser keeps
// file:// pages from reading each other), so their text travels in a script.
int WriteSearchData(const QString& target, const QStringList& pages) {
  QJsonArray entries;
  const QRegularExpression titleTag(QStringLiteral("<title>(.*?)</title>"),
                                    QRegularExpression::DotMatchesEverythingOption);
  const QRegularExpression mainPart(QStringLiteral("<main>(.*)</main>"),
                                    QRegularExpression::DotMatchesEverythingOption);
  for (const QString& path : pages) {
    QString html;
    if (!ReadText(path, html)) return 1;
    // Only the page's own text; the navigation bar is on every page.
    const QRegularExpressionMatch main = mainPart.match(html);
    QTextDocument doc;
    doc.setHtml(main.hasMatch() ? main.captured(1) : html);
    QJsonObject e;
    e[QStringLiteral("file")] = QFileInfo(path).fileName();
    e[QStringLiteral("title")] = titleTag.match(html).captured(1).trimmed();
    e[QStringLiteral("text")] = doc.toPlainText().simplified();
    entries.append(e);
  }
  QFile out(target);
  if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
    std::fprintf(stderr, "zodmanual: cannot write %s\n", qPrintable(target));
    return 1;
  }
  out.write("// The text of the help pages for search.html; made by the build from the pages.\n");
  out.write("var ZOD_HELP_PAGES = ");
  out.write(QJsonDocument(entries).toJson(QJsonDocument::Compact));
  out.write(";\n");
  return out.error() == QFile::NoError ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() == 4 && args[1] == QLatin1String("pdf")) return WritePdf(args[2], args[3]);
  if (args.size() >= 4 && args[1] == QLatin1String("search")) return WriteSearchData(args[2], args.mid(3));
  std::fprintf(stderr,
               "usage: zodmanual pdf <manual.md> <manual.pdf>\n"
               "       zodmanual search <searchdata.js> <page.html>...\n");
  return 2;
}
