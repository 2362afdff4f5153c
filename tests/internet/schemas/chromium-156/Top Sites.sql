-- The schema of Top Sites as Chromium 156 (Debian 12) created it in a new profile.
-- PRAGMA journal_mode = delete
-- PRAGMA page_size = 4096
-- PRAGMA user_version = 0
-- PRAGMA auto_vacuum = 0
-- PRAGMA encoding = UTF-8
-- PRAGMA page_count = 5
-- PRAGMA freelist_count = 0
-- meta: mmap_status = -1
-- meta: version = 5
-- meta: last_compatible_version = 5

CREATE TABLE meta(key LONGVARCHAR NOT NULL UNIQUE PRIMARY KEY, value LONGVARCHAR);
CREATE TABLE top_sites(url TEXT NOT NULL PRIMARY KEY,url_rank INTEGER NOT NULL,title TEXT NOT NULL);
