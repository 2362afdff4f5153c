-- The schema of logins.db as Firefox ESR 153 (Debian 12) created it in a new profile.
-- PRAGMA journal_mode = delete
-- PRAGMA page_size = 32768
-- PRAGMA user_version = 5
-- PRAGMA auto_vacuum = 0
-- PRAGMA encoding = UTF-8
-- PRAGMA page_count = 11
-- PRAGMA freelist_count = 0

CREATE TABLE breachesL (
        id INTEGER PRIMARY KEY AUTOINCREMENT,
        encryptedPassword TEXT
    );
CREATE TABLE loginsL (
            
    id                                          INTEGER PRIMARY KEY AUTOINCREMENT,
    origin                                      TEXT NOT NULL,
    -- Exactly one of httpRealm or formActionOrigin should be set
    httpRealm                                   TEXT,
    formActionOrigin                            TEXT,
    usernameField                               TEXT,
    passwordField                               TEXT,
    timesUsed                                   INTEGER NOT NULL DEFAULT 0,
    timeCreated                                 INTEGER NOT NULL,
    timeLastUsed                                INTEGER,
    timePasswordChanged                         INTEGER NOT NULL,
    timeLastBreachAlertDismissed                INTEGER,
    secFields                                   TEXT,
    guid                                        TEXT NOT NULL UNIQUE
,

            -- Milliseconds, or NULL if never modified locally.
            local_modified INTEGER,

            is_deleted     TINYINT NOT NULL DEFAULT 0,
            sync_status    TINYINT NOT NULL DEFAULT 0
        );
CREATE TABLE loginsM (
            
    id                                          INTEGER PRIMARY KEY AUTOINCREMENT,
    origin                                      TEXT NOT NULL,
    -- Exactly one of httpRealm or formActionOrigin should be set
    httpRealm                                   TEXT,
    formActionOrigin                            TEXT,
    usernameField                               TEXT,
    passwordField                               TEXT,
    timesUsed                                   INTEGER NOT NULL DEFAULT 0,
    timeCreated                                 INTEGER NOT NULL,
    timeLastUsed                                INTEGER,
    timePasswordChanged                         INTEGER NOT NULL,
    timeLastBreachAlertDismissed                INTEGER,
    secFields                                   TEXT,
    guid                                        TEXT NOT NULL UNIQUE
,
            -- Milliseconds (a sync15::ServerTimestamp multiplied by
            -- 1000 and truncated)
            server_modified INTEGER NOT NULL,
            is_overridden   TINYINT NOT NULL DEFAULT 0,
            -- fields on incoming records we don't know about and roundtrip.
            -- a serde_json::Value::Object as an encrypted string.
            enc_unknown_fields   TEXT
        );
CREATE TABLE loginsSyncMeta (
        key TEXT PRIMARY KEY,
        value NOT NULL
    );
CREATE INDEX idx_loginsL_is_deleted_origin
    ON loginsL (is_deleted, origin)
;
CREATE INDEX idx_loginsM_is_overridden_origin
    ON loginsM (is_overridden, origin)
;
