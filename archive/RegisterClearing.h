#pragma once

#include <QString>

class TDM1;

namespace data {
class Dataset;
class LastUchotNHolder;
}

namespace archive {

// The statement that starts the register afresh: every row keeps its number, name, supplier and
// group; price, average and the twelve months become 0 and the year becomes yearText.
QString clearingStatement(const QString& yearText);

// Clears the register through Qop (a statement runner on the data module's connection): the
// register query is closed, the statement run, and the register opened again with whatever
// statement it carries. An error leaves the register closed until something opens it.
void clearRegister(TDM1& dm, data::Dataset& Qop, const QString& yearText, data::LastUchotNHolder& lastRow);

} // namespace archive
