// Keeps out of a text box the characters that a line of the program's files
// cannot carry: project and database files are Windows-1252 (they go both
// ways with the older program), so a character outside it would be written
// as "?" without a word; and a line break would split the text's line, so
// that the file no longer reads back.
#pragma once

#include <QString>
#include <functional>
#include <string>

class QLineEdit;

namespace zod {

// An edit of `box` that would bring in such a character (typed, pasted,
// dropped or composed) is undone at once, with the text, cursor and
// selection the box had, and `refuse` gets the message that names the
// characters. `what` names the text in that message ("project name"). A
// text the program sets is not refused. One line break that ends what a
// paste brings in is dropped, and the rest taken.
void GuardFileText(QLineEdit* box, std::string what, std::function<void(const QString&)> refuse);

}  // namespace zod
