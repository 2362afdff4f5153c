-- The schema of Network Action Predictor as Chromium 156 (Debian 12) created it in a new profile.
-- PRAGMA journal_mode = delete
-- PRAGMA page_size = 4096
-- PRAGMA user_version = 0
-- PRAGMA auto_vacuum = 0
-- PRAGMA encoding = UTF-8
-- PRAGMA page_count = 13
-- PRAGMA freelist_count = 0

CREATE TABLE lcp_critical_path_predictor ( key TEXT, proto BLOB, PRIMARY KEY(key));
CREATE TABLE lcp_critical_path_predictor_initiator_origin ( key TEXT, proto BLOB, PRIMARY KEY(key));
CREATE TABLE network_action_predictor(id TEXT PRIMARY KEY, user_text TEXT, url TEXT, number_of_hits INTEGER, number_of_misses INTEGER);
CREATE TABLE resource_prefetch_predictor_host_redirect ( key TEXT, proto BLOB, PRIMARY KEY(key));
CREATE TABLE resource_prefetch_predictor_metadata ( key TEXT, value INTEGER, PRIMARY KEY (key));
CREATE TABLE resource_prefetch_predictor_origin ( key TEXT, proto BLOB, PRIMARY KEY(key));
