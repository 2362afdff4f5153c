#include "app/inter/BrowserStatements.h"

namespace {

using S = BrowserStatements::Statement;

// The visits go with the pages, so no visit is left to tell where the user went.
const QList<S> kChromiumHistory{
    {QStringLiteral("delete from urls"), {}},
    {QStringLiteral("delete from visits"), {}},
    {QStringLiteral("delete from visit_source"), QStringLiteral("visit_source")},
    {QStringLiteral("delete from keyword_search_terms"), QStringLiteral("keyword_search_terms")},
    {QStringLiteral("delete from segment_usage"), QStringLiteral("segment_usage")},
    {QStringLiteral("delete from segments"), QStringLiteral("segments")},
    {QStringLiteral("delete from visited_links"), QStringLiteral("visited_links")}};

const QList<S> kChromiumDownloads{
    {QStringLiteral("delete from downloads"), {}},
    {QStringLiteral("delete from downloads_url_chains"), {}},
    {QStringLiteral("delete from downloads_slices"), QStringLiteral("downloads_slices")}};

// The cascades Chrome declares run only with foreign keys on, which a plain connection has not.
const QList<S> kChromiumLogins{
    {QStringLiteral("delete from logins"), {}},
    {QStringLiteral("delete from insecure_credentials"), QStringLiteral("insecure_credentials")},
    {QStringLiteral("delete from password_notes"), QStringLiteral("password_notes")}};

// Places that nothing refers to any more: no visit, no bookmark or keyword (foreign_count), no
// download annotation.
const S kFirefoxUnreferencedPlaces{
    QStringLiteral("delete from moz_places where foreign_count = 0"
                   " and id not in (select place_id from moz_historyvisits)"
                   " and id not in (select place_id from moz_annos)"),
    {}};
// The places that stay (bookmarks) keep no trace of the visits removed: the triggers that keep
// these columns are temporary ones of the browser's own connection.
const S kFirefoxRecount{
    QStringLiteral("update moz_places set"
                   " visit_count = (select count(*) from moz_historyvisits v"
                   " where v.place_id = moz_places.id and v.visit_type not in (0, 4, 7, 8, 9)),"
                   " last_visit_date = (select max(visit_date) from moz_historyvisits v"
                   " where v.place_id = moz_places.id)"),
    {}};
const QList<S> kFirefoxOrphans{
    {QStringLiteral("delete from moz_historyvisits_extra"
                    " where visit_id not in (select id from moz_historyvisits)"),
     QStringLiteral("moz_historyvisits_extra")},
    {QStringLiteral(
         "delete from moz_places_extra where place_id not in (select id from moz_places)"),
     QStringLiteral("moz_places_extra")},
    {QStringLiteral(
         "delete from moz_inputhistory where place_id not in (select id from moz_places)"),
     QStringLiteral("moz_inputhistory")},
    {QStringLiteral("delete from moz_origins where id not in"
                    " (select origin_id from moz_places where origin_id is not null)"),
     QStringLiteral("moz_origins")}};

// Downloads are the annotations under "downloads/", one destination per download.
const QString kDownloadAnnotations = QStringLiteral("downloads/%");
const QString kDownloadDestination = QStringLiteral("downloads/destinationFileURI");

QList<BrowserStatements::Kind> build() {
    QList<BrowserStatements::Kind> all;
    for (const QString& browser :
         {QStringLiteral("Google Chrome"), QStringLiteral("Chromium"), QStringLiteral("Opera")}) {
        all << BrowserStatements::Kind{browser, QStringLiteral("Browsing History"),
                                       S{QStringLiteral("select count(*) from urls"), {}},
                                       kChromiumHistory};
        all << BrowserStatements::Kind{browser, QStringLiteral("Download History"),
                                       S{QStringLiteral("select count(*) from downloads"), {}},
                                       kChromiumDownloads};
        all << BrowserStatements::Kind{browser,
                                       QStringLiteral("Cookies"),
                                       S{QStringLiteral("select count(*) from cookies"), {}},
                                       {{QStringLiteral("delete from cookies"), {}}}};
        all << BrowserStatements::Kind{browser, QStringLiteral("Save Password"),
                                       S{QStringLiteral("select count(*) from logins"), {}},
                                       kChromiumLogins};
    }
    all << BrowserStatements::Kind{
        QStringLiteral("Firefox"), QStringLiteral("Browsing History"),
        S{QStringLiteral("select count(*) from moz_historyvisits"), {}},
        QList<S>{
            {QStringLiteral("delete from moz_historyvisits"), {}},
            kFirefoxUnreferencedPlaces,
            kFirefoxRecount,
            // What was typed to reach a page is history too, bookmarked page or not.
            {QStringLiteral("delete from moz_inputhistory"), QStringLiteral("moz_inputhistory")}} +
            kFirefoxOrphans};
    all << BrowserStatements::Kind{
        QStringLiteral("Firefox"), QStringLiteral("Download History"),
        S{QStringLiteral("select count(*) from moz_annos where anno_attribute_id in"
                         " (select id from moz_anno_attributes where name = ?1)"),
          {},
          {kDownloadDestination}},
        QList<S>{{QStringLiteral("delete from moz_annos where anno_attribute_id in"
                                 " (select id from moz_anno_attributes where name like ?1)"),
                  {},
                  {kDownloadAnnotations}},
                 {QStringLiteral("delete from moz_historyvisits where visit_type = 7"), {}},
                 kFirefoxUnreferencedPlaces,
                 kFirefoxRecount} +
            kFirefoxOrphans};
    all << BrowserStatements::Kind{QStringLiteral("Safari"),
                                   QStringLiteral("Browsing History"),
                                   S{QStringLiteral("select count(*) from history_visits"), {}},
                                   {{QStringLiteral("delete from history_items"), {}},
                                    {QStringLiteral("delete from history_visits"), {}}}};
    return all;
}

} // namespace

const QList<BrowserStatements::Kind>& BrowserStatements::all() {
    static const QList<Kind> statements = build();
    return statements;
}

const BrowserStatements::Kind* BrowserStatements::find(const QString& browser,
                                                       const QString& kind) {
    for (const Kind& k : all())
        if (k.browser == browser && k.kind == kind)
            return &k;
    return nullptr;
}
