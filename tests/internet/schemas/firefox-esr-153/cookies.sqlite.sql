-- The schema of cookies.sqlite as Firefox ESR 153 (Debian 12) created it in a new profile.
-- PRAGMA journal_mode = wal
-- PRAGMA page_size = 32768
-- PRAGMA user_version = 17
-- PRAGMA auto_vacuum = 0
-- PRAGMA encoding = UTF-8
-- PRAGMA page_count = 3
-- PRAGMA freelist_count = 0

CREATE TABLE moz_cookies (id INTEGER PRIMARY KEY, originAttributes TEXT NOT NULL DEFAULT '', name TEXT, value TEXT, host TEXT, path TEXT, expiry INTEGER, lastAccessed INTEGER, creationTime INTEGER, isSecure INTEGER, isHttpOnly INTEGER, inBrowserElement INTEGER DEFAULT 0, sameSite INTEGER DEFAULT 0, schemeMap INTEGER DEFAULT 0, isPartitionedAttributeSet INTEGER DEFAULT 0, updateTime INTEGER, CONSTRAINT moz_uniqueid UNIQUE (name, host, path, originAttributes));
