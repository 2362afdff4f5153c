#include "HistoryTestSupport.h"

#include "app/Certificate/CertificateKey.h"
#include "app/Certificate/CertificateSettings.h"
#include "app/Certificate/CertificateSigner.h"
#include "app/Certificate/ErasureFacts.h"
#include "app/Comm/SettingsStore.h"
#include "app/SetEraserLevel/CertificateSettingsForm.h"
#include "app/SetEraserLevel/ExportViewController.h"
#include "app/SetEraserLevel/HistoryViewController.h"
#include "app/SetEraserLevel/SetEraserLevelVC.h"
#include "app/inter/DoDataBase.h"
#include "tests/core/TestSupport.h"

#include "app/ui/ImageButton.h"
#include "platform/BundleLocator.h"

#include "app/ui/Theme.h"
#include <QApplication>
#include <QFileInfo>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

using historytest::at;
using historytest::item;
using historytest::TempHistory;

namespace {

class HistoryViewTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { historytest::ensureApplication(); }

    void SetUp() override {
        auto* history = DoDataBase::returnDoDataBase();
        for (const QString& key :
             {"2024-06-01 10-00-00", "2024-06-03 08-30-00", "2024-06-02 23-59-59"}) {
            history->setClock([time = at(key)] { return time; });
            history->writePlistForHistoryWithArr(
                {item("/home/u/" + key + "/a.txt", "Erased"), item("/home/u/b", "Failed")});
        }
        history->setClock([] { return at("2024-06-02 12-00-00"); });
        history->writeWipeVolumesOrFree("USB", "Erased", true);
        history->setClock({});
        host.resize(784, 560);
        host.show();
        view = new HistoryViewController(&host);
        view->setKind(DoDataBase::kTypeWipeFile);
        view->getEraserHistory();
        view->slideIn();
    }

    QTreeWidget* outline() const { return view->outline(); }
    ImageButton* entryButton(int row, const char* name) {
        QWidget* cell = outline()->itemWidget(outline()->topLevelItem(row), 3);
        return cell ? cell->findChild<ImageButton*>(name) : nullptr;
    }
    void selectEntry(int row) {
        outline()->setCurrentItem(outline()->topLevelItem(row));
        QApplication::processEvents();
    }
    QStringList listedKeys() const {
        QStringList keys;
        for (int i = 0; i < outline()->topLevelItemCount(); ++i)
            keys << outline()->topLevelItem(i)->data(1, Qt::UserRole).toString();
        return keys;
    }

    void TearDown() override {
        DoDataBase::returnDoDataBase()->setBusyTimeout(DoDataBase::defaultBusyTimeout());
        DoDataBase::returnDoDataBase()->setClock({});
    }

    QPushButton* button(const char* name) const { return view->findChild<QPushButton*>(name); }

    TempHistory temp;
    QWidget host;
    HistoryViewController* view = nullptr;
};

TEST_F(HistoryViewTest, ListsEveryEntryNewestFirstWithTheFirstExpanded) {
    EXPECT_FALSE(view->showsEmptyState());
    // Opened from the file eraser, the volume wipe is listed too.
    EXPECT_EQ(listedKeys(), (QStringList{"2024-06-03 08-30-00", "2024-06-02 23-59-59",
                                         "2024-06-02 12-00-00", "2024-06-01 10-00-00"}));
    QTreeWidgetItem* first = outline()->topLevelItem(0);
    EXPECT_TRUE(first->isExpanded());
    EXPECT_FALSE(outline()->topLevelItem(1)->isExpanded());
    ASSERT_EQ(first->childCount(), 3);
    EXPECT_EQ(first->child(0)->text(0), "Result");
    EXPECT_EQ(first->child(0)->text(1), "Items");
    EXPECT_TRUE(first->child(0)->font(1).bold());
    EXPECT_EQ(first->child(2)->text(0), "Failed");
    EXPECT_EQ(first->child(2)->text(1), "/home/u/b");
    EXPECT_EQ(first->child(2)->text(2), "HMG Infosec Standard 5");
    EXPECT_EQ(outline()->topLevelItem(2)->child(1)->text(1), "Erase Free Space:USB");
    EXPECT_TRUE(view->findChild<QPushButton*>("Empty All")->isEnabled());
}

// Closed, each row names the module that made the entry, how it ended and how many items it
// holds; erasures by the uninstaller and the duplicate finder are filed under those modules.
TEST_F(HistoryViewTest, ClosedRowsSayTheModuleTheOutcomeAndTheItems) {
    auto* history = DoDataBase::returnDoDataBase();
    history->setClock([] { return at("2024-06-04 09-00-00"); });
    ASSERT_TRUE(history
                    ->recordFiles({item("/home/u/.config/foo", "Erased")}, 0, {},
                                  DoDataBase::kTypeUninstall)
                    .ok());
    history->setClock([] { return at("2024-06-05 09-00-00"); });
    ASSERT_TRUE(
        history
            ->recordFiles({item("/home/u/copy", "Failed")}, 0,
                          R"({"kind":"files","files":[{"path":"/home/u/copy","bytes":610000}]})",
                          DoDataBase::kTypeDuplicates)
            .ok());
    history->setClock({});
    view->getEraserHistory();
    const auto row = [this](int i) {
        QTreeWidgetItem* entry = outline()->topLevelItem(i);
        return QStringList{entry->text(0), entry->text(1), entry->text(2)};
    };
    EXPECT_EQ(row(0), (QStringList{"Failed", "2024-06-05 09-00-00 \u2014 1 item, 610.00 KB",
                                   "Duplicate Finder"}));
    EXPECT_EQ(row(1), (QStringList{"Erased", "2024-06-04 09-00-00 \u2014 1 item", "Uninstaller"}));
    EXPECT_EQ(row(2),
              (QStringList{"1 of 2 failed", "2024-06-03 08-30-00 \u2014 2 items", "Erase Files"}));
    EXPECT_EQ(row(4),
              (QStringList{"Erased", "2024-06-02 12-00-00 \u2014 1 item", "Erase Free Space"}));
    // KORVANE_SCREENSHOT_DIR set: the view as shown, for docs/history-viewer.png.
    const QString shots = qEnvironmentVariable("KORVANE_SCREENSHOT_DIR");
    if (!shots.isEmpty()) {
        Theme::apply(*qApp);
        outline()->topLevelItem(0)->setExpanded(false);
        outline()->topLevelItem(2)->setExpanded(true);
        QTest::qWait(800); // the slide-in
        EXPECT_TRUE(host.grab().save(shots + QStringLiteral("/history-viewer.png")));
    }
}

// A long history opens without making every entry's buttons first; an entry scrolled into view
// has them.
TEST_F(HistoryViewTest, EntriesScrolledIntoViewGetTheirButtons) {
    auto* history = DoDataBase::returnDoDataBase();
    for (int i = 0; i < 150; ++i) {
        history->setClock([i] {
            return at(QStringLiteral("2020-01-01 00-%1-%2")
                          .arg(i / 60, 2, 10, QLatin1Char('0'))
                          .arg(i % 60, 2, 10, QLatin1Char('0')));
        });
        ASSERT_TRUE(history->recordFiles({item("/home/u/f", "Erased")}, 0, {}).ok());
    }
    history->setClock({});
    view->getEraserHistory();
    QApplication::processEvents();
    const int last = outline()->topLevelItemCount() - 1;
    ASSERT_GT(last, 150);
    EXPECT_EQ(entryButton(last, "trash"), nullptr) << "made although far out of view";
    outline()->scrollToItem(outline()->topLevelItem(last));
    QApplication::processEvents();
    EXPECT_NE(entryButton(last, "trash"), nullptr);
    EXPECT_NE(entryButton(last, "export"), nullptr);
}

TEST_F(HistoryViewTest, EveryEntryHasItsButtonsAndTrashDeletesThatEntry) {
    for (int row = 0; row < outline()->topLevelItemCount(); ++row) {
        EXPECT_NE(entryButton(row, "trash"), nullptr) << "no selection needed, row " << row;
        EXPECT_NE(entryButton(row, "export"), nullptr) << "row " << row;
    }
    selectEntry(1);
    EXPECT_EQ(view->keyClickStr(), "2024-06-02 23-59-59");
    // Selecting a line of an entry keeps the entry's key.
    outline()->setCurrentItem(outline()->topLevelItem(0)->child(1));
    EXPECT_EQ(view->keyClickStr(), "2024-06-02 23-59-59");
    selectEntry(1);

    // The deletion runs off the UI thread: its end is waited for.
    QSignalSpy ended(view, &HistoryViewController::deletionEnded);
    QTest::mouseClick(entryButton(1, "trash"), Qt::LeftButton);
    ASSERT_TRUE(ended.wait(3000));
    EXPECT_EQ(listedKeys(),
              (QStringList{"2024-06-03 08-30-00", "2024-06-02 12-00-00", "2024-06-01 10-00-00"}));
    EXPECT_FALSE(DoDataBase::returnDoDataBase()->getAllData().contains("2024-06-02 23-59-59"));
}

TEST_F(HistoryViewTest, ExportWritesTheRowsEntryAndSaysWhereOrWhyNot) {
    QTemporaryDir dir;
    QString proposed;
    QString answer = dir.filePath("mine");
    view->setSavePathAsker([&](QWidget*, const QString& offered) {
        proposed = offered;
        return answer;
    });
    selectEntry(2);
    QTest::mouseClick(entryButton(2, "export"), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_TRUE(proposed.section('/', -1).startsWith("ErasureHistory(20"));
    const QByteArray page = testsupport::readFile(dir.filePath("mine.html"));
    EXPECT_TRUE(page.contains("<th colspan=\"3\">2024-06-02 12-00-00</th>"));
    EXPECT_TRUE(page.contains("Erase Free Space:USB"));
    // The attached window deletes itself once closed, possibly within processEvents().
    QPointer<ExportViewController> done = host.findChild<ExportViewController*>();
    ASSERT_NE(done, nullptr);
    EXPECT_TRUE(done->succeeded());
    EXPECT_TRUE(done->isVisible());
    QTest::mouseClick(done->findChild<QPushButton*>("OK"), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_TRUE(done.isNull() || !done->isVisible());
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // Nothing selected yet in a fresh view: the newest entry. A failed write is told.
    HistoryViewController fresh(&host);
    fresh.getEraserHistory();
    answer = dir.filePath("no/such/folder/r.html");
    fresh.setSavePathAsker([&](QWidget*, const QString&) { return answer; });
    fresh.exportEntry(QString());
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    auto* failed = host.findChild<ExportViewController*>();
    ASSERT_NE(failed, nullptr);
    EXPECT_FALSE(failed->succeeded());
    EXPECT_TRUE(failed->message().contains("could not be saved"));

    answer = dir.filePath("newest.HTML");
    fresh.exportEntry(QString());
    EXPECT_TRUE(testsupport::readFile(answer).contains("2024-06-03 08-30-00"));
}

TEST_F(HistoryViewTest, EmptyAllAsksThenDeletesEverythingAndCloses) {
    QSignalSpy closed(view, &HistoryViewController::closed);
    QString asked;
    view->setEmptyConfirmer([&](QWidget*, const QString& text) {
        asked = text;
        return false;
    });
    QTest::mouseClick(view->findChild<QPushButton*>("Empty All"), Qt::LeftButton);
    EXPECT_TRUE(asked.contains("All 4 entries")) << asked.toStdString();
    EXPECT_EQ(temp.rowCount("TimeBase"), 4) << "declined: nothing deleted";
    EXPECT_EQ(closed.count(), 0);

    view->setEmptyConfirmer([](QWidget*, const QString&) { return true; });
    QTest::mouseClick(view->findChild<QPushButton*>("Empty All"), Qt::LeftButton);
    EXPECT_TRUE(closed.wait(3000));
    EXPECT_FALSE(view->isVisible());
    EXPECT_TRUE(view->showsEmptyState());
    EXPECT_FALSE(view->findChild<QPushButton*>("Empty All")->isEnabled());
    EXPECT_EQ(temp.rowCount("TimeBase"), 0);
    EXPECT_EQ(temp.rowCount("BaseTable"), 0);

    HistoryViewController reopened(&host);
    reopened.getEraserHistory();
    EXPECT_TRUE(reopened.showsEmptyState());
    EXPECT_FALSE(reopened.findChild<QPushButton*>("Empty All")->isEnabled());
}

TEST_F(HistoryViewTest, OpeningFromAModuleMarksItsHistorySeen) {
    testsupport::writeFile(BundleLocator::mainResourcesPath() + "/NexwipeBase.plist",
                           testsupport::readFile(testsupport::shippedSettingsStore()));
    const SettingsStore store = SettingsStore::mainStore();
    ASSERT_TRUE(store.setValue("WipeFileHistory", "1"));
    ASSERT_TRUE(store.setValue("WipeVolumeHistory", "1"));

    QPointer<HistoryViewController> opened =
        HistoryViewController::openOver(&host, DoDataBase::kTypeWipeVolume);
    EXPECT_EQ(store.value("WipeVolumeHistory"), "0");
    EXPECT_EQ(store.value("WipeFileHistory"), "1");
    EXPECT_EQ(opened->kind(), DoDataBase::kTypeWipeVolume);
    EXPECT_EQ(opened->outline()->topLevelItemCount(), 4);

    QSignalSpy closed(opened.data(), &HistoryViewController::closed);
    QTest::mouseClick(opened->findChild<QPushButton*>("OK"), Qt::LeftButton);
    ASSERT_TRUE(closed.wait(3000));
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(opened.isNull());
}

// Another process holds the history: the view says so, with the path — not "There is no
// erasure history." — offers no repair, and lists the entries once the lock is gone.
TEST_F(HistoryViewTest, ALockedHistoryIsSaidSoAndNeverRepaired) {
    DoDataBase::returnDoDataBase()->setBusyTimeout(200);
    const QByteArray before = testsupport::readFile(temp.database());
    historytest::ExclusiveLock lock(temp.database());
    ASSERT_TRUE(lock.locked());
    view->getEraserHistory();
    EXPECT_TRUE(view->showsErrorState());
    EXPECT_FALSE(view->showsEmptyState());
    EXPECT_EQ(outline()->topLevelItemCount(), 0);
    EXPECT_TRUE(view->status().locked());
    EXPECT_TRUE(view->errorText().startsWith(
        "The erasure history cannot be read: " + temp.database() + " is locked by another program"))
        << view->errorText().toStdString();
    EXPECT_TRUE(button("Repair")->isHidden());
    EXPECT_FALSE(button("Try Again")->isHidden());
    EXPECT_FALSE(button("Empty All")->isEnabled());

    bool asked = false;
    view->setRepairConfirmer([&](QWidget*, const QString&) { return asked = true; });
    view->repairHistory();
    EXPECT_FALSE(asked) << "a locked history is never offered a repair";
    EXPECT_TRUE(view->showsErrorState());

    lock.release();
    EXPECT_EQ(testsupport::readFile(temp.database()), before);
    EXPECT_TRUE(
        historytest::filesIn(QFileInfo(temp.database()).path()).filter(".damaged-").isEmpty());
    QTest::mouseClick(button("Try Again"), Qt::LeftButton);
    EXPECT_FALSE(view->showsErrorState());
    EXPECT_EQ(outline()->topLevelItemCount(), 4);
}

// A delete that cannot be done is said; the entry stays listed, the view stays open.
TEST_F(HistoryViewTest, ADeleteOrEmptyThatCannotBeDoneIsSaid) {
    DoDataBase::returnDoDataBase()->setBusyTimeout(200);
    selectEntry(1);
    historytest::ExclusiveLock lock(temp.database());
    ASSERT_TRUE(lock.locked());
    QSignalSpy ended(view, &HistoryViewController::deletionEnded);
    QTest::mouseClick(entryButton(1, "trash"), Qt::LeftButton);
    ASSERT_TRUE(ended.wait(3000));
    EXPECT_TRUE(view->noticeText().contains("could not be deleted"))
        << view->noticeText().toStdString();
    EXPECT_TRUE(view->noticeText().contains(temp.database() + " is locked by another program"));
    EXPECT_EQ(outline()->topLevelItemCount(), 4);

    QSignalSpy closed(view, &HistoryViewController::closed);
    view->setEmptyConfirmer([](QWidget*, const QString&) { return true; });
    QTest::mouseClick(button("Empty All"), Qt::LeftButton);
    ASSERT_TRUE(ended.wait(3000));
    EXPECT_TRUE(view->noticeText().contains("could not be emptied"));
    EXPECT_EQ(closed.count(), 0);
    EXPECT_TRUE(view->isVisible());
    lock.release();
    EXPECT_EQ(temp.rowCount("TimeBase"), 4);
}

// A damaged history: the view says so with the path and offers Repair; the confirmation names
// where the damaged file is kept; cancelled, nothing changes; confirmed, the file is kept aside
// byte for byte and a new, empty history is shown.
TEST_F(HistoryViewTest, ADamagedHistoryOffersRepairWithConsent) {
    for (const historytest::Damage damage :
         {historytest::Damage::Truncated, historytest::Damage::RandomBytes,
          historytest::Damage::Empty}) {
        SCOPED_TRACE(historytest::damageName(damage).toStdString());
        for (const QString& name : historytest::filesIn(QFileInfo(temp.database()).path()))
            if (name.contains(".damaged-"))
                QFile::remove(QFileInfo(temp.database()).path() + "/" + name);
        historytest::damageDatabase(temp.database(), damage);
        const QByteArray damaged = testsupport::readFile(temp.database());
        DoDataBase::returnDoDataBase()->setClock([] { return at("2026-12-10 02-15-00"); });
        const QString kept = temp.database() + ".damaged-2026-12-10-021500";

        view->getEraserHistory();
        EXPECT_TRUE(view->showsErrorState());
        EXPECT_FALSE(view->showsEmptyState());
        EXPECT_TRUE(view->status().damaged());
        EXPECT_TRUE(view->errorText().startsWith(
            "The erasure history cannot be read: " + temp.database() + " is damaged"))
            << view->errorText().toStdString();
        EXPECT_FALSE(button("Repair")->isHidden());

        QString question;
        bool consent = false;
        view->setRepairConfirmer([&](QWidget*, const QString& text) {
            question = text;
            return consent;
        });
        QTest::mouseClick(button("Repair"), Qt::LeftButton);
        EXPECT_TRUE(question.contains("The damaged file is kept, unchanged, at\n" + kept))
            << question.toStdString();
        EXPECT_EQ(testsupport::readFile(temp.database()), damaged);
        EXPECT_FALSE(QFileInfo::exists(kept));
        EXPECT_TRUE(view->showsErrorState());

        consent = true;
        QTest::mouseClick(button("Repair"), Qt::LeftButton);
        EXPECT_TRUE(view->showsEmptyState());
        EXPECT_FALSE(view->showsErrorState());
        EXPECT_TRUE(view->noticeText().contains(kept)) << view->noticeText().toStdString();
        EXPECT_EQ(testsupport::readFile(kept), damaged);
        EXPECT_TRUE(DoDataBase::returnDoDataBase()->readAll().ok());
    }
}

} // namespace

namespace {

class HistoryCertificateViewTest : public HistoryViewTest {};

} // namespace

// The entry's certificate button saves the signed certificate where the user says, readable by
// the user only; the report of the entry carries the same facts.
TEST_F(HistoryCertificateViewTest, SavesTheSignedCertificateAndTheReportCarriesItsFacts) {
    ErasureFacts facts;
    facts.kind = ErasureFacts::kDrive;
    facts.hostName = QStringLiteral("bench-7");
    facts.device = QStringLiteral("/dev/sdz");
    facts.verificationCoverage = QStringLiteral("4096 of 4096 bytes");
    facts.outcome = QStringLiteral("Erased");
    auto* history = DoDataBase::returnDoDataBase();
    history->setClock([] { return at("2024-06-04 09-00-00"); });
    ASSERT_TRUE(history->recordVolume("/dev/sdz", "Erased", false, 1, facts.toBytes()).ok());
    view->getEraserHistory();
    ASSERT_EQ(listedKeys().value(0), "2024-06-04 09-00-00");

    QTemporaryDir dir;
    QString answer = dir.filePath("drive");
    QString proposed;
    view->setCertificatePathAsker([&](QWidget*, const QString& offered) {
        proposed = offered;
        return answer;
    });
    selectEntry(0);
    ASSERT_NE(entryButton(0, "certificate"), nullptr);
    QTest::mouseClick(entryButton(0, "certificate"), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_TRUE(proposed.endsWith("Certificate 2024-06-04 09-00-00.pdf"));
    // No extension: a PDF.
    EXPECT_TRUE(testsupport::readFile(dir.filePath("drive.pdf")).startsWith("%PDF"));
    EXPECT_EQ(QFileInfo(dir.filePath("drive.pdf")).permissions() &
                  (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup | QFile::WriteOther),
              QFile::Permissions());

    answer = dir.filePath("drive.json");
    view->exportCertificate(QStringLiteral("2024-06-04 09-00-00"));
    const QByteArray json = testsupport::readFile(answer);
    const auto key = CertificateKey(CertificateKey::defaultFolder()).load();
    ASSERT_TRUE(key) << "made at first use, beside the history";
    const auto verdict = CertificateSigner::verify(json, {key->fingerprint()});
    EXPECT_TRUE(verdict.valid) << verdict.reason.toStdString();
    EXPECT_TRUE(json.contains("\"hostName\":\"bench-7\""));

    view->setSavePathAsker([&](QWidget*, const QString&) { return dir.filePath("report"); });
    view->exportEntry(QStringLiteral("2024-06-04 09-00-00"));
    const QByteArray page = testsupport::readFile(dir.filePath("report.html"));
    EXPECT_TRUE(page.contains("bench-7")) << page.constData();
    EXPECT_TRUE(page.contains("4096 of 4096 bytes"));
    EXPECT_TRUE(page.contains("<td>Certificate</td>"));
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(CertificateSettingsFormTest, ShowsAndStoresTheNamesCertificatesGive) {
    historytest::ensureApplication();
    TempHistory temp;
    const QString store = BundleLocator::mainResourcesPath() + QStringLiteral("/NexwipeBase.plist");
    ASSERT_TRUE(QFile::copy(testsupport::shippedSettingsStore(), store));
    QFile::setPermissions(store, QFile::ReadOwner | QFile::WriteOwner);
    ASSERT_TRUE(CertificateSettings::write(QStringLiteral("organisation"), QStringLiteral("Acme")));

    SetEraserLevelVC panel;
    panel.setEraserLevelSelect();
    EXPECT_EQ(panel.certificateForm->field(QStringLiteral("organisation"))->text(), "Acme");
    panel.certificateForm->field(QStringLiteral("operator"))->setText(QStringLiteral(" Jo "));
    panel.certificateForm->field(QStringLiteral("organisation"))->clear();
    panel.saveButtonAction();
    const CertificateSettings stored = CertificateSettings::read();
    EXPECT_EQ(stored.operatorName, "Jo");
    EXPECT_TRUE(stored.organisation.isEmpty());
    // A control character is refused, not stored.
    panel.certificateForm->field(QStringLiteral("validator"))->setText(QStringLiteral("a\tb"));
    QString error;
    EXPECT_FALSE(panel.certificateForm->save(&error));
    EXPECT_TRUE(error.contains(QLatin1String("control")));
    EXPECT_TRUE(CertificateSettings::read().validator.isEmpty());
}
