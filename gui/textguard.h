// Keeps out of a text box the characters that the program's files cannot
// hold: project and database files are Windows-1252 (they go both ways with
// the older program), and a character outside it would be written as "?"
// without a word.
#pragma once

#include <QString>
#include <functional>
#include <string>

class QLineEdit;

namespace zod {

// An edit of `box` that would bring in such a character (typed, pasted,
// dropped or composed) is undone at once, with the text, cursor and
// selection the box had, and `refuse` gets the message that names the
// characters. `what` names the text in that message ("project name").
void GuardFileText(QLineEdit* box, std::string what, std::function<void(const QString&)> refuse);

}  // namespace zod
