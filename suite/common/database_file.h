#pragma once

namespace tmk {

// Whether opening a connection may create a database kept in a file of the till (SQLite)
// when the file is missing: the first preparation of a till creates it; the database of a
// till prepared before must exist, and is never replaced by a new, empty one.
enum class DatabaseFile { MayCreate, MustExist };

} // namespace tmk
