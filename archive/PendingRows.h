#pragma once

namespace data {
class Connection;
}

namespace archive {

// Commits every row still being edited on the connection (an unchanged one is dropped), so
// that a copy or a switch of the file loses nothing the clerk typed. A refused row throws.
void commitPendingRows(data::Connection& connection);

} // namespace archive
