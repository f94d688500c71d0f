// The text layer of a PDF read straight from the file, through the font
// maps, as a viewer reads it for copying and searching: the poppler tools
// turn a tab into a blank and cannot tell a space that reads as a tab.
#pragma once

#include <zlib.h>

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

namespace zod::test {

// The objects of a PDF by number, each from the number to its end; a stream's
// content inflated where it is compressed.
struct PdfObjects {
  QByteArray bytes;
  QHash<int, qsizetype> at;

  explicit PdfObjects(const QString& pdf) {
    QFile f(pdf);
    if (f.open(QIODevice::ReadOnly)) bytes = f.readAll();
    QRegularExpressionMatchIterator it =
        QRegularExpression("(?:^|\\n)(\\d+) 0 obj\\b").globalMatch(QString::fromLatin1(bytes));
    while (it.hasNext()) {
      const QRegularExpressionMatch m = it.next();
      at.insert(m.captured(1).toInt(), m.capturedEnd());
    }
  }
  // The object's dictionary or value.
  QString value(int n) const {
    const QByteArray from = bytes.mid(at.value(n, bytes.size()));
    qsizetype end = from.indexOf("endobj");
    if (const qsizetype stream = from.indexOf("stream"); stream >= 0 && (end < 0 || stream < end))
      end = stream;
    return QString::fromLatin1(from.left(end));
  }
  // The number of the object that `key` refers to in object n.
  int ref(int n, const QString& key) const {
    return QRegularExpression(key + "\\s+(\\d+) 0 R").match(value(n)).captured(1).toInt();
  }
  QByteArray stream(int n) const {
    const QString dict = value(n);
    const QRegularExpressionMatch length = QRegularExpression("/Length (\\d+)( 0 R)?").match(dict);
    const int size = length.captured(2).isEmpty() ? length.captured(1).toInt()
                                                  : value(length.captured(1).toInt()).trimmed().toInt();
    qsizetype from = bytes.indexOf("stream", at.value(n)) + 6;
    from += bytes.at(from) == '\r' ? 2 : 1;
    const QByteArray content = bytes.mid(from, size);
    if (!dict.contains("/FlateDecode")) return content;
    for (qsizetype room = 16 * size + 1024;; room *= 2) {
      QByteArray out(room, '\0');
      uLongf outSize = out.size();
      const int z = uncompress(reinterpret_cast<Bytef*>(out.data()), &outSize,
                               reinterpret_cast<const Bytef*>(content.constData()), content.size());
      if (z == Z_OK) return out.left(outSize);
      if (z != Z_BUF_ERROR || room > (qsizetype(1) << 26)) qFatal("stream %d does not inflate", n);
    }
  }
};

// The characters of a map from glyphs to characters (a ToUnicode stream).
inline QHash<QString, QString> CharacterMap(const QString& map) {
  QHash<QString, QString> chars;
  const auto character = [](const QString& hex) {
    QString c;
    for (qsizetype i = 0; i + 4 <= hex.size(); i += 4) c += QChar(hex.mid(i, 4).toUShort(nullptr, 16));
    return c;
  };
  const auto glyph = [](int g) { return QString("%1").arg(g, 4, 16, QChar('0')).toUpper(); };
  const QRegularExpression entry("<(\\w+)>\\s*<(\\w+)>\\s*(?:<(\\w+)>|\\[([^\\]]*)\\])");
  for (const QString& block : map.split("beginbfrange").mid(1)) {
    for (auto it = entry.globalMatch(block.section("endbfrange", 0, 0)); it.hasNext();) {
      const QRegularExpressionMatch m = it.next();
      const int first = m.captured(1).toInt(nullptr, 16), last = m.captured(2).toInt(nullptr, 16);
      const QStringList each = m.captured(4).remove('<').split('>', Qt::SkipEmptyParts);
      for (int g = first; g <= last; ++g)
        chars[glyph(g)] = m.captured(3).isEmpty()
                              ? character(each.value(g - first).trimmed())
                              : QString(QChar(m.captured(3).toUShort(nullptr, 16) + g - first));
    }
  }
  const QRegularExpression single("<(\\w+)>\\s*<(\\w+)>");
  for (const QString& block : map.split("beginbfchar").mid(1))
    for (auto it = single.globalMatch(block.section("endbfchar", 0, 0)); it.hasNext();) {
      const QRegularExpressionMatch m = it.next();
      chars[m.captured(1).toUpper()] = character(m.captured(2));
    }
  return chars;
}

// The text layer of a PDF as a viewer takes it from the file for copying
// and searching: page by page, the glyphs of each text object (one text
// drawn) turned into characters by the map of their font, a line per text
// object.
inline QStringList TextLayer(const QString& pdf) {
  const PdfObjects objects(pdf);
  int tree = 0;
  for (auto it = objects.at.cbegin(); it != objects.at.cend() && !tree; ++it)
    if (objects.value(it.key()).contains(QRegularExpression("/Type\\s*/Pages\\b"))) tree = it.key();
  const QString kids = QRegularExpression("/Kids\\s*\\[([^\\]]*)\\]").match(objects.value(tree)).captured(1);
  QStringList lines;
  for (auto page = QRegularExpression("(\\d+) 0 R").globalMatch(kids); page.hasNext();) {
    const int n = page.next().captured(1).toInt();
    QHash<QString, QHash<QString, QString>> fonts;
    const QString resources = objects.value(objects.ref(n, "/Resources"));
    const QString fontNames = resources.mid(resources.indexOf("/Font")).section(">>", 0, 0);
    for (auto it = QRegularExpression("/(\\w+)\\s+(\\d+) 0 R").globalMatch(fontNames); it.hasNext();) {
      const QRegularExpressionMatch m = it.next();
      const int map = objects.ref(m.captured(2).toInt(), "/ToUnicode");
      fonts[m.captured(1)] = CharacterMap(QString::fromLatin1(objects.stream(map)));
    }
    QString line;
    QHash<QString, QString> font;
    const QString content = QString::fromLatin1(objects.stream(objects.ref(n, "/Contents")));
    const QRegularExpression op("/(\\w+)\\s+[\\d.]+\\s+Tf|<([0-9A-Fa-f]*)>\\s*Tj|\\bET\\b");
    for (auto it = op.globalMatch(content); it.hasNext();) {
      const QRegularExpressionMatch m = it.next();
      if (!m.captured(1).isEmpty()) {
        font = fonts.value(m.captured(1));
      } else if (m.captured() == "ET") {
        if (!line.isEmpty()) lines << line;
        line.clear();
      } else {
        for (qsizetype i = 0; i + 4 <= m.captured(2).size(); i += 4)
          line += font.value(m.captured(2).mid(i, 4).toUpper(), "?");
      }
    }
  }
  return lines;
}

}  // namespace zod::test
