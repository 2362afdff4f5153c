#include "app/SetEraserLevel/HistoryViewController.h"

#include "app/SetEraserLevel/HistoryEntrySummary.h"
#include "app/inter/HistoryStatusText.h"

#include "app/Certificate/CertificateExport.h"
#include "app/Certificate/CertificateKey.h"
#include "app/Certificate/ErasureCertificate.h"
#include "app/Certificate/PrivateFile.h"
#include "app/Comm/SettingsStore.h"
#include "app/Job/DeleteHistoryOperation.h"
#include "app/Job/OperationRunner.h"
#include "app/Main/FileEraser/FileEraserViewParts.h"
#include "app/SetEraserLevel/ExportViewController.h"
#include "app/SetEraserLevel/HistoryReport.h"
#include "app/inter/DoDataBase.h"
#include "app/ui/AttachedWindow.h"
#include "app/ui/ImageButton.h"
#include "app/ui/Images.h"
#include "app/ui/SlidePanel.h"
#include "app/ui/Theme.h"
#include "platform/Logger.h"
#include "platform/UserAccount.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDialog>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The window runs as root for a user: a report it saves in that user's own folder belongs to
// the user, who must be able to move or delete it.
void giveToInvokingUser(const QString& path) {
    if (::geteuid() != 0)
        return;
    const std::optional<UserAccount> user = UserAccount::invokingUser();
    if (!user || user->uid == 0)
        return;
    struct stat folder {};
    const QByteArray parent = QFile::encodeName(QFileInfo(path).absolutePath());
    if (::stat(parent.constData(), &folder) != 0 || folder.st_uid != user->uid)
        return;
    if (::lchown(QFile::encodeName(path).constData(), user->uid, user->gid) != 0)
        Logger::log(QStringLiteral("Cannot hand report %1 to %2: %3")
                        .arg(path, user->name, QString::fromLocal8Bit(std::strerror(errno))));
}

// The save panel starts in the home of the user the program works for: the window runs as root
// for that user, and root's own home is not where they look for their reports.
QString exportStartFolder() {
    const std::optional<UserAccount> user = UserAccount::invokingUser();
    return user && QFileInfo(user->home).isDir() ? user->home : QDir::homePath();
}

enum Column { StateColumn = 0, NameColumn = 1, TypeColumn = 2, ActionsColumn = 3 };
enum Page { ListPage = 0, EmptyPage = 1, ErrorPage = 2 };

// A question shown as an attached window: "Cancel" or the ACTION, which is what it is about.
QWidget* confirmation(const QString& objectName, const QString& title, const QString& text,
                      const QString& action, const QString& actionName) {
    auto* view = new QWidget;
    view->setObjectName(objectName);
    auto* layout = FileEraserViewParts::frame(view, QStringLiteral("ic_warning"), title);
    QLabel* paragraph = FileEraserViewParts::paragraph(text, QStringLiteral("explanationText"));
    paragraph->setTextFormat(Qt::PlainText);
    paragraph->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(paragraph);
    auto* cancel = FileEraserViewParts::button(
        QStringLiteral("btn_sec"), QCoreApplication::translate("HistoryViewController", "Cancel"),
        QStringLiteral("cancelButton"));
    auto* repair = FileEraserViewParts::button(QStringLiteral("btn_danger"), action, actionName);
    QObject::connect(cancel, &ImageButton::clicked, view,
                     [view] { AttachedWindow::dismiss(view, QDialog::Rejected); });
    QObject::connect(repair, &ImageButton::clicked, view,
                     [view] { AttachedWindow::dismiss(view, QDialog::Accepted); });
    layout->addSpacing(12);
    layout->addLayout(FileEraserViewParts::buttonRow({cancel, repair}));
    return view;
}

ImageButton* entryButton(const QString& image, const QString& name, const QString& tip,
                         QWidget* parent) {
    auto* button = new ImageButton(image, QString(), parent);
    button->setLayout(ImageButton::Layout::Icon);
    button->setObjectName(name);
    button->setToolTip(tip);
    button->setFixedSize(22, 22);
    return button;
}

QTreeWidgetItem* recordRow(const HistoryRecord& record) {
    auto* row = new QTreeWidgetItem({record.result, record.items, record.erasureStandard});
    row->setToolTip(NameColumn, record.items);
    if (record.isHeader()) {
        QFont bold;
        bold.setBold(true);
        for (int column = StateColumn; column <= TypeColumn; ++column) {
            row->setBackground(column, Theme::kBorder);
            row->setForeground(column, Theme::kText);
            row->setFont(column, bold);
            row->setTextAlignment(column, Qt::AlignCenter);
        }
        row->setFlags(Qt::ItemIsEnabled);
    }
    return row;
}

} // namespace

HistoryViewController::HistoryViewController(QWidget* parent, DoDataBase* database)
    : QWidget(parent), m_database(database ? database : DoDataBase::returnDoDataBase()),
      m_lastExportFolder(exportStartFolder()), m_pages(new QStackedWidget(this)),
      m_outline(new QTreeWidget(this)), m_notice(new QLabel(this)), m_errorText(new QLabel(this)),
      m_repair(new QPushButton(tr("Repair…"), this)),
      m_retry(new QPushButton(tr("Try Again"), this)),
      m_emptyAll(new QPushButton(tr("Empty All"), this)),
      m_close(new QPushButton(tr("Close"), this)), m_ok(new QPushButton(tr("OK"), this)) {
    setObjectName(QStringLiteral("HistoryViewController"));
    setAutoFillBackground(true);

    auto* title = new QLabel(tr("Erasure History"), this);
    title->setProperty("role", "title");

    m_outline->setObjectName(QStringLiteral("outline"));
    m_outline->setColumnCount(4);
    m_outline->setHeaderLabels({tr("State"), tr("Name"), tr("Type"), QString()});
    m_outline->setUniformRowHeights(true);
    m_outline->setAllColumnsShowFocus(true);
    m_outline->setSelectionMode(QAbstractItemView::SingleSelection);
    m_outline->setTextElideMode(Qt::ElideMiddle);
    m_outline->header()->setStretchLastSection(false);
    m_outline->header()->setSectionResizeMode(StateColumn, QHeaderView::Interactive);
    m_outline->header()->setSectionResizeMode(NameColumn, QHeaderView::Stretch);
    m_outline->header()->setSectionResizeMode(TypeColumn, QHeaderView::Interactive);
    m_outline->setColumnWidth(StateColumn, 150);
    m_outline->setColumnWidth(TypeColumn, 200);
    m_outline->header()->setSectionResizeMode(ActionsColumn, QHeaderView::Fixed);
    m_outline->setColumnWidth(ActionsColumn, 80);
    // Each entry's buttons are made once its row comes into view: ten thousand entries with
    // three buttons each took seconds to open.
    connect(m_outline->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &HistoryViewController::addButtonsToShownEntries);
    connect(m_outline, &QTreeWidget::itemExpanded, this,
            &HistoryViewController::addButtonsToShownEntries);
    connect(m_outline, &QTreeWidget::itemCollapsed, this,
            &HistoryViewController::addButtonsToShownEntries);
    m_outline->viewport()->installEventFilter(this);
    connect(m_outline, &QTreeWidget::itemSelectionChanged, this,
            &HistoryViewController::selectionChanged);

    auto* empty = new QWidget(this);
    empty->setObjectName(QStringLiteral("emptyState"));
    auto* emptyLayout = new QVBoxLayout(empty);
    auto* emptyImage = new QLabel(empty);
    emptyImage->setPixmap(
        Images::pixmap(QStringLiteral("ic_nohistory_disable"), QSize(64, 64), devicePixelRatioF()));
    emptyImage->setAlignment(Qt::AlignCenter);
    auto* emptyText = new QLabel(tr("There is no erasure history."), empty);
    emptyText->setProperty("role", "muted");
    emptyText->setAlignment(Qt::AlignCenter);
    emptyLayout->addStretch();
    emptyLayout->addWidget(emptyImage);
    emptyLayout->addWidget(emptyText);
    emptyLayout->addStretch();

    // A history that cannot be read: why, with the file, and what can be done. Never the empty
    // state: the entries may all still be there.
    auto* failed = new QWidget(this);
    failed->setObjectName(QStringLiteral("errorState"));
    auto* failedLayout = new QVBoxLayout(failed);
    auto* failedImage = new QLabel(failed);
    failedImage->setPixmap(
        Images::pixmap(QStringLiteral("ic_warning"), QSize(48, 48), devicePixelRatioF()));
    failedImage->setAlignment(Qt::AlignCenter);
    m_errorText->setParent(failed);
    m_errorText->setObjectName(QStringLiteral("errorText"));
    m_errorText->setWordWrap(true);
    m_errorText->setAlignment(Qt::AlignCenter);
    m_errorText->setTextFormat(Qt::PlainText);
    m_errorText->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_repair->setParent(failed);
    m_repair->setObjectName(QStringLiteral("Repair"));
    m_retry->setParent(failed);
    m_retry->setObjectName(QStringLiteral("Try Again"));
    connect(m_repair, &QPushButton::clicked, this, &HistoryViewController::repairHistory);
    connect(m_retry, &QPushButton::clicked, this, &HistoryViewController::getEraserHistory);
    auto* failedButtons = new QHBoxLayout;
    failedButtons->addStretch();
    failedButtons->addWidget(m_retry);
    failedButtons->addWidget(m_repair);
    failedButtons->addStretch();
    failedLayout->addStretch();
    failedLayout->addWidget(failedImage);
    failedLayout->addWidget(m_errorText);
    failedLayout->addLayout(failedButtons);
    failedLayout->addStretch();

    m_pages->addWidget(m_outline);
    m_pages->addWidget(empty);
    m_pages->addWidget(failed);

    m_notice->setObjectName(QStringLiteral("notice"));
    m_notice->setWordWrap(true);
    m_notice->setTextFormat(Qt::PlainText);
    m_notice->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_notice->hide();

    m_emptyAll->setObjectName(QStringLiteral("Empty All"));
    m_close->setObjectName(QStringLiteral("Close"));
    m_ok->setObjectName(QStringLiteral("OK"));
    m_ok->setDefault(true);
    connect(m_emptyAll, &QPushButton::clicked, this, &HistoryViewController::askEmptyAll);
    connect(m_close, &QPushButton::clicked, this, &HistoryViewController::slideOut);
    connect(m_ok, &QPushButton::clicked, this, &HistoryViewController::slideOut);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_emptyAll);
    buttons->addStretch();
    buttons->addWidget(m_close);
    buttons->addWidget(m_ok);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 18);
    layout->setSpacing(12);
    layout->addWidget(title);
    layout->addWidget(m_notice);
    layout->addWidget(m_pages, 1);
    layout->addLayout(buttons);
}

QString HistoryViewController::unseenFlagFor(const QString& kind) {
    return kind == DoDataBase::kTypeWipeVolume ? QStringLiteral("WipeVolumeHistory")
                                               : QStringLiteral("WipeFileHistory");
}

HistoryViewController* HistoryViewController::openOver(QWidget* area, const QString& kind) {
    SettingsStore::mainStore().setValue(unseenFlagFor(kind), QStringLiteral("0"));
    auto* view = new HistoryViewController(area);
    view->setKind(kind);
    view->getEraserHistory();
    connect(view, &HistoryViewController::closed, view, &QObject::deleteLater);
    view->slideIn();
    return view;
}

bool HistoryViewController::showsEmptyState() const {
    return m_pages->currentIndex() == EmptyPage;
}

bool HistoryViewController::showsErrorState() const {
    return m_pages->currentIndex() == ErrorPage;
}

QString HistoryViewController::errorText() const {
    return m_errorText->text();
}

QString HistoryViewController::noticeText() const {
    return m_notice->isHidden() ? QString() : m_notice->text();
}

void HistoryViewController::setNotice(const QString& text, bool warning) {
    // The property first: setting the style sheet polishes the label again.
    m_notice->setProperty("role", warning ? QVariant() : QVariant(QStringLiteral("muted")));
    m_notice->setStyleSheet(warning ? QStringLiteral("color: %1;").arg(Theme::kWarning.name())
                                    : QString());
    m_notice->setText(text);
    m_notice->setVisible(!text.isEmpty());
}

QString HistoryViewController::reasonText(const HistoryStatus& status) {
    return HistoryStatusText::reason(status);
}

QString HistoryViewController::unreadableText(const HistoryStatus& status) {
    QString text = tr("The erasure history cannot be read: %1.").arg(reasonText(status));
    if (status.damaged())
        text += QLatin1Char('\n') + tr("Repair keeps the damaged file aside and starts a new, "
                                       "empty history.");
    else if (status.locked())
        text += QLatin1Char('\n') + tr("Try again once the other program has finished with it.");
    return text;
}

void HistoryViewController::getEraserHistory() {
    if (isDeleting())
        return; // the deletion's end reads it again
    setNotice(QString());
    HistoryResult<HistoryData> read = m_database->readAll(&m_types);
    m_status = read.status;
    m_history = std::move(read.value);
    // Sizes only add to the rows: a history whose sizes cannot be read still lists.
    m_sizes = read.status.ok() ? m_database->readSizes().value : QHash<QString, qint64>();
    m_sortedKeys = m_history.keys();
    // Keys are "yyyy-MM-dd HH-mm-ss": descending text order is newest first.
    std::sort(m_sortedKeys.begin(), m_sortedKeys.end(), std::greater<QString>());
    buildOutline();
    if (!m_status.ok()) {
        m_errorText->setText(unreadableText(m_status));
        // Only a damaged history is repaired; a locked one is in use and fine.
        m_repair->setVisible(m_status.damaged());
        m_pages->setCurrentIndex(ErrorPage);
        m_emptyAll->setEnabled(false);
        return;
    }
    const bool empty = m_sortedKeys.isEmpty();
    m_pages->setCurrentIndex(empty ? EmptyPage : ListPage);
    m_emptyAll->setEnabled(!empty);
}

bool HistoryViewController::confirmRepair(const QString& text) {
    if (m_confirmRepair)
        return m_confirmRepair(this, text);
    return AttachedWindow::run(confirmation(QStringLiteral("HistoryRepairConfirmation"),
                                            tr("Repair the erasure history?"), text, tr("Repair"),
                                            QStringLiteral("repairButton")),
                               this) == QDialog::Accepted;
}

void HistoryViewController::repairHistory() {
    if (isDeleting())
        return;
    // Looked at again: the file may have been unlocked, replaced or repaired meanwhile.
    const HistoryStatus now = m_database->check();
    if (!now.damaged()) {
        getEraserHistory();
        return;
    }
    const QString kept = m_database->keptPathForRepair();
    const QString text =
        tr("The erasure history at\n%1\nis damaged (%2).\n\n"
           "The damaged file is kept, unchanged, at\n%3\n"
           "and a new, empty erasure history is started. The entries in the damaged file are "
           "no longer listed here.")
            .arg(QDir::toNativeSeparators(now.path), now.detail, QDir::toNativeSeparators(kept));
    if (!confirmRepair(text))
        return;
    const HistoryRepair repaired = m_database->repair(kept);
    getEraserHistory();
    if (repaired.repaired() && repaired.status.ok())
        setNotice(tr("The damaged erasure history was kept at %1. A new, empty history was "
                     "started.")
                      .arg(QDir::toNativeSeparators(repaired.keptAt)),
                  false);
    else if (!repaired.status.ok())
        setNotice(tr("The erasure history was not repaired: %1.").arg(reasonText(repaired.status)));
}

void HistoryViewController::buildOutline() {
    m_outline->clear();
    QList<QTreeWidgetItem*> entries;
    entries.reserve(m_sortedKeys.size());
    for (const QString& key : std::as_const(m_sortedKeys)) {
        // Closed, a row still says which module made the entry, how it ended and how much it
        // holds.
        const HistoryEntrySummary summary(m_types.value(key), m_history.value(key),
                                          m_sizes.value(key, -1));
        auto* entry = new QTreeWidgetItem(
            {summary.outcome(), QStringLiteral("%1 \u2014 %2").arg(key, summary.itemsAndSize()),
             summary.module()});
        entry->setData(NameColumn, Qt::UserRole, key);
        for (const HistoryRecord& record : m_history.value(key))
            entry->addChild(recordRow(record));
        entries.append(entry);
    }
    m_outline->addTopLevelItems(entries);
    if (!entries.isEmpty())
        entries.first()->setExpanded(true);
    // The first entries get theirs at once, as many as a tall window shows; the others as they
    // come into view.
    for (QTreeWidgetItem* entry : entries.mid(0, 60))
        addEntryButtons(entry);
    addButtonsToShownEntries();
}

void HistoryViewController::addEntryButtons(QTreeWidgetItem* entry) {
    if (!m_outline->itemWidget(entry, ActionsColumn))
        m_outline->setItemWidget(
            entry, ActionsColumn,
            makeEntryButtons(entry->data(NameColumn, Qt::UserRole).toString()));
}

void HistoryViewController::addButtonsToShownEntries() {
    // Each entry's own buttons, on every entry in view: delete and export need no selection
    // first.
    const int bottom = m_outline->viewport()->height();
    for (QTreeWidgetItem* item = m_outline->itemAt(0, 0); item; item = m_outline->itemBelow(item)) {
        if (m_outline->visualItemRect(item).top() > bottom)
            break;
        if (!item->parent())
            addEntryButtons(item);
    }
}

bool HistoryViewController::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_outline->viewport() &&
        (event->type() == QEvent::Resize || event->type() == QEvent::Show))
        QTimer::singleShot(0, this, &HistoryViewController::addButtonsToShownEntries);
    return QWidget::eventFilter(watched, event);
}

void HistoryViewController::selectionChanged() {
    const QList<QTreeWidgetItem*> selected = m_outline->selectedItems();
    QTreeWidgetItem* item = selected.isEmpty() ? nullptr : selected.first();
    if (item && !item->parent())
        m_keyClickStr = item->data(NameColumn, Qt::UserRole).toString();
}

QWidget* HistoryViewController::makeEntryButtons(const QString& key) {
    auto* box = new QWidget;
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    auto* trash =
        entryButton(QStringLiteral("ic_trash"), QStringLiteral("trash"), tr("Delete"), box);
    auto* exporter =
        entryButton(QStringLiteral("ic_export"), QStringLiteral("export"), tr("Export"), box);
    auto* certificate = entryButton(QStringLiteral("ic_certificate"), QStringLiteral("certificate"),
                                    tr("Erasure certificate"), box);
    // The buttons act on their own row's entry; queued, because deleting reloads the outline and
    // so destroys the button that was clicked.
    connect(
        trash, &ImageButton::clicked, this, [this, key] { deleteEntry(key); },
        Qt::QueuedConnection);
    connect(
        exporter, &ImageButton::clicked, this, [this, key] { exportEntry(key); },
        Qt::QueuedConnection);
    connect(
        certificate, &ImageButton::clicked, this, [this, key] { exportCertificate(key); },
        Qt::QueuedConnection);
    layout->addWidget(trash);
    layout->addWidget(exporter);
    layout->addWidget(certificate);
    layout->addStretch();
    return box;
}

void HistoryViewController::deleteEntry(const QString& key) {
    startDeletion({key}, false);
}

void HistoryViewController::askEmptyAll() {
    if (m_sortedKeys.isEmpty() || isDeleting())
        return;
    const QString text =
        tr("All %n entries of the erasure history are deleted for good, and the record of "
           "those erasures with them. What was erased stays erased.",
           nullptr, int(m_sortedKeys.size()));
    const bool yes =
        m_confirmEmpty
            ? m_confirmEmpty(this, text)
            : AttachedWindow::run(confirmation(QStringLiteral("HistoryEmptyConfirmation"),
                                               tr("Empty the erasure history?"), text,
                                               tr("Delete All"), QStringLiteral("deleteAllButton")),
                                  this) == QDialog::Accepted;
    if (yes)
        emptyAll();
}

void HistoryViewController::emptyAll() {
    // The entries shown, in one transaction: all go or none.
    if (!m_sortedKeys.isEmpty())
        startDeletion(m_sortedKeys, true);
}

bool HistoryViewController::isDeleting() const {
    return m_runner && m_runner->isBusy();
}

void HistoryViewController::startDeletion(const QStringList& keys, bool emptying) {
    if (isDeleting() || keys.isEmpty())
        return;
    m_deleting = keys;
    m_emptying = emptying;
    m_emptyAll->setEnabled(false);
    delete m_runner;
    m_runner = new OperationRunner(this);
    connect(m_runner, &OperationRunner::planned, this, &HistoryViewController::deletionPlanned);
    connect(m_runner, &OperationRunner::finished, this,
            [this](const DestructiveOperation::Report& report) {
                if (report.failure.isEmpty())
                    deletionDone();
                else
                    deletionFailed(report.failure);
            });
    m_runner->plan(std::make_shared<DeleteHistoryOperation>(*m_database, keys));
}

void HistoryViewController::deletionPlanned(const DestructiveOperation::Plan& plan) {
    // An entry already gone needs no deleting; a history that cannot be read stops it all.
    DestructiveOperation::Plan runnable = plan;
    runnable.refusals.removeIf([](const DestructiveOperation::Refused& refused) {
        return refused.reason == DestructiveOperation::Refusal::Missing;
    });
    if (!runnable.refusals.isEmpty()) {
        deletionFailed(runnable.refusals.first().detail);
        return;
    }
    if (runnable.items.isEmpty()) {
        deletionDone();
        return;
    }
    // The click on the entry's trash, or the answer to Empty All's question, is the consent.
    m_runner->run(runnable, DestructiveOperation::Consents().give(
                                DestructiveOperation::Consent::Irreversible));
}

void HistoryViewController::deletionFailed(const QString& why) {
    // What could not be deleted stays listed: it is still there.
    m_emptyAll->setEnabled(m_status.ok() && !m_sortedKeys.isEmpty());
    setNotice(m_emptying
                  ? tr("The erasure history could not be emptied: %1.").arg(why)
                  : tr("The entry %1 could not be deleted: %2.").arg(m_deleting.value(0), why));
    emit deletionEnded();
}

void HistoryViewController::deletionDone() {
    if (m_emptying || m_deleting.contains(m_keyClickStr))
        m_keyClickStr.clear();
    getEraserHistory();
    if (m_emptying && m_status.ok()) {
        m_emptyAll->setEnabled(false);
        slideOut();
    }
    emit deletionEnded();
}

QString HistoryViewController::askSavePath(const QString& proposed) {
    if (m_askSavePath)
        return m_askSavePath(this, proposed);
    return QFileDialog::getSaveFileName(this, tr("Export Erasure History"), proposed,
                                        tr("Web page (*.html)"));
}

void HistoryViewController::exportEntry(const QString& key) {
    const QString entry = key.isEmpty() ? m_sortedKeys.value(0) : key;
    if (entry.isEmpty())
        return;
    const QString proposed = QDir(m_lastExportFolder)
                                 .filePath(HistoryReport::proposedName(
                                     DoDataBase::keyForTime(QDateTime::currentDateTime())));
    const QString chosen = askSavePath(proposed);
    if (chosen.isEmpty())
        return;
    const QString path = HistoryReport::withHtmlExtension(chosen);
    m_lastExportFolder = QFileInfo(path).absolutePath();
    QString error;
    // The erasure's facts go into the report beside its lines.
    const HistoryResult<QByteArray> facts = m_database->readFacts(entry);
    const QJsonObject certificate = ErasureCertificate::build(
        entry, m_types.value(entry), m_history.value(entry), ErasureFacts::fromBytes(facts.value));
    if (HistoryReport::write(path, entry, m_history.value(entry), &error, certificate))
        giveToInvokingUser(path);
    ExportViewController::present(path, error, this);
}

void HistoryViewController::exportCertificate(const QString& key) {
    if (key.isEmpty())
        return;
    using Form = CertificateExport::Form;
    const QString proposed =
        QDir(m_lastExportFolder).filePath(CertificateExport::proposedName(key, Form::Pdf));
    const QString chosen =
        m_askCertificatePath
            ? m_askCertificatePath(this, proposed)
            : QFileDialog::getSaveFileName(this, tr("Save Erasure Certificate"), proposed,
                                           tr("PDF document (*.pdf);;Web page (*.html);;Signed "
                                              "certificate (*.json)"));
    if (chosen.isEmpty())
        return;
    // A name without a known extension gets the PDF's.
    const std::optional<Form> asked = CertificateExport::formForPath(chosen);
    const Form form = asked.value_or(Form::Pdf);
    const QString path = asked ? chosen : chosen + CertificateExport::extension(form);
    m_lastExportFolder = QFileInfo(path).absolutePath();
    const ErasureCertificate::Loaded loaded = ErasureCertificate::forEntry(
        *m_database, key, CertificateKey(CertificateKey::defaultFolder()));
    QString error = loaded.status.ok() ? loaded.error : reasonText(loaded.status);
    // The save panel asked before replacing a file.
    if (error.isEmpty() &&
        PrivateFile::write(path, CertificateExport::render(loaded.document, form), true, &error))
        giveToInvokingUser(path);
    ExportViewController::present(path, error, this);
}

void HistoryViewController::slideIn() {
    SlidePanel::slideIn(this);
}

void HistoryViewController::slideOut() {
    if (!isVisible()) {
        emit closed();
        return;
    }
    SlidePanel::slideOut(this, [this] { emit closed(); });
}
