-- The schema of Shortcuts as Chromium 156 (Debian 12) created it in a new profile.
-- PRAGMA journal_mode = delete
-- PRAGMA page_size = 4096
-- PRAGMA user_version = 0
-- PRAGMA auto_vacuum = 0
-- PRAGMA encoding = UTF-8
-- PRAGMA page_count = 5
-- PRAGMA freelist_count = 0
-- meta: mmap_status = -1
-- meta: version = 2
-- meta: last_compatible_version = 1

CREATE TABLE meta(key LONGVARCHAR NOT NULL UNIQUE PRIMARY KEY, value LONGVARCHAR);
CREATE TABLE omni_box_shortcuts(id VARCHAR PRIMARY KEY,text VARCHAR,fill_into_edit VARCHAR,url VARCHAR,document_type INTEGER,contents VARCHAR,contents_class VARCHAR,description VARCHAR,description_class VARCHAR,transition INTEGER,type INTEGER,keyword VARCHAR,last_access_time INTEGER,number_of_hits INTEGER);
