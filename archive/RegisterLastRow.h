#pragma once

class TDM1;

namespace data {
class LastUchotNHolder;
}

namespace archive {

// After the register was read anew: tells the register window the uchot_N of the row that
// stands last (0 for none), as every re-read does, without moving the cursor.
void storeLastRegisterRow(TDM1& dm, data::LastUchotNHolder& holder);

} // namespace archive
