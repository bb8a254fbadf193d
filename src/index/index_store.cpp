#include "index/index_store.h"

#include <sqlite3.h>

#include <cerrno>
#include <chrono>
#include <thread>
#include <cstring>
#include <string>

#include "index/index_folder.h"
#include "util/paths.h"

namespace glyphgrab {

namespace {

// Marks the file as this tool's index ("GGix"), and the layout of its rows.
constexpr int kApplicationId = 0x47476978;
constexpr int kSchemaVersion = 2;


class Statement {
 public:
  Statement(sqlite3* db, const char* sql) { rc_ = sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr); }
  ~Statement() { sqlite3_finalize(stmt_); }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;
  int prepared() const { return rc_; }
  sqlite3_stmt* get() const { return stmt_; }

 private:
  sqlite3_stmt* stmt_ = nullptr;
  int rc_ = SQLITE_OK;
};

// UTF-16 units as blob bytes; SQLite binds a null pointer as NULL, so an empty text
// points somewhere all the same.
int BindUnits(sqlite3_stmt* stmt, int column, std::u16string_view units) {
  static const char16_t kNone = 0;
  return sqlite3_bind_blob(stmt, column, units.empty() ? &kNone : units.data(),
                           static_cast<int>(units.size() * sizeof(char16_t)), SQLITE_STATIC);
}

// A blob's bytes copied into UTF-16 units: SQLite's buffer need not be aligned for them.
void ColumnUnits(sqlite3_stmt* stmt, int column, std::u16string& out) {
  const void* data = sqlite3_column_blob(stmt, column);
  const auto bytes = static_cast<std::size_t>(sqlite3_column_bytes(stmt, column));
  out.resize(bytes / sizeof(char16_t));
  if (data && !out.empty()) std::memcpy(out.data(), data, out.size() * sizeof(char16_t));
}

bool IsDamage(int code) {
  const int primary = code & 0xFF;
  return primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB || primary == SQLITE_FORMAT;
}

int ErrnoOf(int code) {
  switch (code & 0xFF) {
    case SQLITE_FULL: return ENOSPC;
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH: return EACCES;
    case SQLITE_CANTOPEN: return ENOENT;
    case SQLITE_IOERR: return EIO;
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return EBUSY;
    default: return 0;
  }
}

std::u16string AsideName(const std::u16string& file) { return file + u".set-aside"; }

}  // namespace

std::u16string IndexFilePath(std::u16string_view folder) { return JoinPath(folder, u"search-index.sqlite3"); }

IndexStore::~IndexStore() { Close(); }

void IndexStore::Close() {
  if (db_) sqlite3_close_v2(db_);
  db_ = nullptr;
}

bool IndexStore::Fail(int code, IndexNote& note) {
  if (IsDamage(code)) {
    SetAside(note);
    return false;
  }
  note.trouble = IndexTrouble::kUnavailable;
  note.path = file_;
  note.error = ErrnoOf(code);
  note.detail = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(code);
  Close();
  return false;
}

void IndexStore::SetAside(IndexNote& note) {
  Close();
  const std::u16string aside = AsideName(file_);
  note.trouble = IndexTrouble::kSetAside;
  note.path = aside;
  if (RenamePath(file_, aside) != 0) RemoveFile(file_);
  // The log files belong to the old file: a new one must not take them up.
  RemoveFile(file_ + u"-wal");
  RemoveFile(file_ + u"-shm");
}

bool IndexStore::Open(const std::u16string& folder, IndexNote& note) {
  Close();
  note = {};
  folder_ = folder;
  file_ = IndexFilePath(folder);
  if (folder.empty()) {
    note.trouble = IndexTrouble::kUnavailable;
    note.error = ENOENT;
    return false;
  }
  if (const int e = detail::MakePrivateFolder(folder); e != 0) {
    note.trouble = IndexTrouble::kUnavailable;
    note.path = folder;
    note.error = e;
    return false;
  }
  // A second round follows setting a file aside; another program that is making the
  // file at the same moment is waited for.
  int busy = 0;
  for (int round = 0; round < 2; ++round) {
    if (const int e = detail::MakePrivateFile(file_); e != 0) {
      note.trouble = IndexTrouble::kUnavailable;
      note.path = file_;
      note.error = e;
      return false;
    }
    // One thread at a time uses the connection (the walk's writers take turns), so
    // SQLite's own locking of every call is not needed.
    const int rc = sqlite3_open_v2(detail::SqliteFileName(file_).c_str(), &db_,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
      Fail(rc, note);
      if (note.trouble == IndexTrouble::kSetAside) continue;
      return false;
    }
    sqlite3_busy_timeout(db_, 5000);
    if (Prepare(note)) return true;
    if (note.trouble == IndexTrouble::kUnavailable && note.error == EBUSY && ++busy < 50) {
      note = {};
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
      --round;
      continue;
    }
    if (note.trouble != IndexTrouble::kSetAside || round > 0) return false;
  }
  return false;
}

bool IndexStore::Prepare(IndexNote& note) {
  int appId = 0, version = 0, tables = 0;
  // Statements end before a failure closes the connection: one left open would keep the
  // file open, and Windows renames no open file.
  int step = SQLITE_OK;
  {
    Statement q(db_,
                "SELECT (SELECT application_id FROM pragma_application_id),"
                " (SELECT user_version FROM pragma_user_version),"
                " (SELECT count(*) FROM sqlite_master)");
    step = q.prepared() != SQLITE_OK ? q.prepared() : sqlite3_step(q.get());
    if (step == SQLITE_ROW) {
      appId = sqlite3_column_int(q.get(), 0);
      version = sqlite3_column_int(q.get(), 1);
      tables = sqlite3_column_int(q.get(), 2);
    }
  }
  if (step != SQLITE_ROW) return Fail(step, note);
  if (appId == 0 && version == 0 && tables == 0) {
    // A new file; two programs may make it at once, so the check is made again under
    // the write lock.
    char* message = nullptr;
    // Large pages keep most files' texts on their row's page: a search reads the rows
    // in order with few reads and without gathering overflow pages.
    int rc = sqlite3_exec(db_, "PRAGMA page_size = 65536; PRAGMA journal_mode = WAL", nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK) rc = sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) return Fail(rc, note);
    const std::string schema =
        "CREATE TABLE IF NOT EXISTS files("
        " path BLOB PRIMARY KEY,"  // the absolute path's UTF-16 units
        " size INTEGER NOT NULL, mtime INTEGER NOT NULL, kind INTEGER NOT NULL,"
        " outcome INTEGER NOT NULL,"
        " texts BLOB NOT NULL)"    // UTF-16 units, as search_texts.h describes them
        // A search reads the rows under a folder in path order: kept in that order, not
        // reached through a second index.
        " WITHOUT ROWID;"
        "PRAGMA application_id = " + std::to_string(kApplicationId) + ";"
        "PRAGMA user_version = " + std::to_string(kSchemaVersion) + ";";
    rc = sqlite3_exec(db_, schema.c_str(), nullptr, nullptr, &message);
    sqlite3_free(message);
    if (rc == SQLITE_OK) rc = sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
      sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
      return Fail(rc, note);
    }
    appId = kApplicationId;
    version = kSchemaVersion;
  }
  if (appId != kApplicationId || version != kSchemaVersion) {
    SetAside(note);
    return false;
  }
  // The log stays; a lost last transaction on a power cut costs a re-read, never a
  // wrong answer, so the log is not synced on every commit.
  const int rc = sqlite3_exec(db_, "PRAGMA journal_mode = WAL; PRAGMA synchronous = NORMAL", nullptr, nullptr, nullptr);
  if (rc != SQLITE_OK) return Fail(rc, note);
  return true;
}

bool IndexStore::ForEachUnder(std::u16string_view prefix, const std::function<void(const IndexRowView&)>& visit,
                              IndexNote& note) {
  if (!db_) return false;
  int rc = SQLITE_OK;
  {
    Statement q(db_, "SELECT path, size, mtime, kind, outcome, texts FROM files WHERE path >= ?1 AND path < ?2");
    rc = q.prepared() == SQLITE_OK ? Visit(q.get(), prefix, visit) : q.prepared();
  }
  if (rc != SQLITE_DONE) return Fail(rc, note);
  return true;
}

int IndexStore::Visit(sqlite3_stmt* q, std::u16string_view prefix,
                      const std::function<void(const IndexRowView&)>& visit) {
  // The byte after the prefix's last one bounds every path that starts with it (the
  // prefix ends in a delimiter, whose last byte is not 0xFF).
  std::string low(reinterpret_cast<const char*>(prefix.data()), prefix.size() * sizeof(char16_t));
  std::string high = low;
  if (!high.empty()) high.back() = static_cast<char>(static_cast<unsigned char>(high.back()) + 1);
  sqlite3_bind_blob(q, 1, low.data(), static_cast<int>(low.size()), SQLITE_STATIC);
  sqlite3_bind_blob(q, 2, high.data(), static_cast<int>(high.size()), SQLITE_STATIC);
  std::u16string path;
  int rc;
  while ((rc = sqlite3_step(q)) == SQLITE_ROW) {
    ColumnUnits(q, 0, path);
    IndexRowView row;
    row.path = path;
    const void* texts = sqlite3_column_blob(q, 5);
    row.textBytes = std::string_view(texts ? static_cast<const char*>(texts) : "",
                                     static_cast<std::size_t>(sqlite3_column_bytes(q, 5)));
    row.stamp.size = sqlite3_column_int64(q, 1);
    row.stamp.mtime = sqlite3_column_int64(q, 2);
    row.kind = sqlite3_column_int(q, 3);
    row.outcome = sqlite3_column_int(q, 4);
    visit(row);
  }
  return rc;
}

bool IndexStore::Write(const std::vector<IndexRow>& rows, const std::vector<std::u16string>& dropped,
                       IndexNote& note) {
  if (!db_) return false;
  if (rows.empty() && dropped.empty()) return true;
  int rc = sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
  if ((rc & 0xFF) == SQLITE_BUSY) return false;  // another program writes: kept next time
  if (rc != SQLITE_OK) return Fail(rc, note);
  {
    Statement put(db_, "INSERT OR REPLACE INTO files(path, size, mtime, kind, outcome, texts) VALUES(?1, ?2, ?3, ?4, ?5, ?6)");
    Statement drop(db_, "DELETE FROM files WHERE path = ?1");
    rc = put.prepared() != SQLITE_OK ? put.prepared() : drop.prepared();
    for (const IndexRow& row : rows) {
      if (rc != SQLITE_OK) break;
      BindUnits(put.get(), 1, row.path);
      sqlite3_bind_int64(put.get(), 2, row.stamp.size);
      sqlite3_bind_int64(put.get(), 3, row.stamp.mtime);
      sqlite3_bind_int(put.get(), 4, row.kind);
      sqlite3_bind_int(put.get(), 5, row.outcome);
      BindUnits(put.get(), 6, row.texts);
      rc = sqlite3_step(put.get());
      rc = rc == SQLITE_DONE ? sqlite3_reset(put.get()) : rc;
    }
    for (const std::u16string& path : dropped) {
      if (rc != SQLITE_OK) break;
      BindUnits(drop.get(), 1, path);
      rc = sqlite3_step(drop.get());
      rc = rc == SQLITE_DONE ? sqlite3_reset(drop.get()) : rc;
    }
  }
  if (rc == SQLITE_OK) rc = sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr);
  if (rc != SQLITE_OK) {
    sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    if ((rc & 0xFF) == SQLITE_BUSY) return false;
    return Fail(rc, note);
  }
  return true;
}

bool ForgetIndex(const std::u16string& folder, int& error) {
  error = 0;
  const std::u16string file = IndexFilePath(folder);
  for (const std::u16string& path : {file, file + u"-wal", file + u"-shm", AsideName(file)}) {
    if (PathExists(path) && !RemoveFile(path) && error == 0) error = errno != 0 ? errno : EACCES;
  }
  return error == 0;
}

}  // namespace glyphgrab
