#include "app/duplicat/DuplicateStartView.h"

#include "platform/UserAccount.h"

#include "app/Main/FileEraser/FileEraserViewParts.h"
#include "app/ui/ImageButton.h"
#include "app/ui/Images.h"
#include "app/ui/Theme.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

DuplicateStartView::DuplicateStartView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("DuplicateStartView"));
    auto* title = new QLabel(tr("Duplicate Finder"));
    title->setProperty("role", QStringLiteral("title"));
    auto* subtitle = new QLabel(tr("Find files and application bundles of identical content, "
                                   "and free the space their extra copies take"));
    subtitle->setProperty("role", QStringLiteral("subtitle"));
    subtitle->setWordWrap(true);

    auto* picture = new QLabel;
    picture->setPixmap(
        Images::pixmap(QStringLiteral("nav_duplicate_finder"), QSize(72, 72), devicePixelRatioF()));
    picture->setAlignment(Qt::AlignCenter);

    auto* folderTitle = new QLabel(tr("Folder to search"));
    m_folder = new QLineEdit;
    m_folder->setObjectName(QStringLiteral("folderField"));
    m_folder->setPlaceholderText(tr("/home/you/Pictures"));
    m_folder->setText(startFolder(UserAccount::invokingUser()));
    m_choose = FileEraserViewParts::button(QStringLiteral("btn_sec"), tr("Choose…"),
                                           QStringLiteral("chooseButton"));
    connect(m_choose, &ImageButton::clicked, this, &DuplicateStartView::chooseButtonAction);
    connect(m_folder, &QLineEdit::returnPressed, this, &DuplicateStartView::startButtonAction);
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(m_folder, 1);
    folderRow->addWidget(m_choose);

    m_hidden = new QCheckBox(tr("Search hidden files and folders too"));
    m_hidden->setObjectName(QStringLiteral("hiddenBox"));
    m_system = new QCheckBox(tr("Search the system folders too (when the folder is /)"));
    m_system->setObjectName(QStringLiteral("systemBox"));

    m_problem = new QLabel;
    m_problem->setObjectName(QStringLiteral("problemText"));
    m_problem->setWordWrap(true);
    m_problem->setTextFormat(Qt::PlainText);
    m_problem->setStyleSheet(QStringLiteral("color: %1;").arg(Theme::kWarning.name()));
    m_problem->hide();

    m_start = FileEraserViewParts::button(QStringLiteral("btn_main"), tr("Start"),
                                          QStringLiteral("startButton"));
    connect(m_start, &ImageButton::clicked, this, &DuplicateStartView::startButtonAction);

    auto* note = new QLabel(tr("Nothing is changed while searching. Other names of one file and "
                               "copies that share their data are shown as such: removing them "
                               "frees nothing."));
    note->setProperty("role", QStringLiteral("muted"));
    note->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 20);
    layout->setSpacing(10);
    layout->addWidget(title);
    layout->addWidget(subtitle);
    layout->addSpacing(18);
    layout->addWidget(picture);
    layout->addSpacing(18);
    layout->addWidget(folderTitle);
    layout->addLayout(folderRow);
    layout->addWidget(m_hidden);
    layout->addWidget(m_system);
    layout->addWidget(m_problem);
    layout->addStretch(1);
    layout->addWidget(note);
    layout->addLayout(FileEraserViewParts::buttonRow({m_start}));
}

QString DuplicateStartView::folder() const {
    return m_folder->text().trimmed();
}

void DuplicateStartView::setFolder(const QString& folder) {
    m_folder->setText(folder);
    m_problem->hide();
}

bool DuplicateStartView::searchHidden() const {
    return m_hidden->isChecked();
}

QString DuplicateStartView::startFolder(const std::optional<UserAccount>& user) {
    // The program runs as root: its own home is not the user's. The account database's home of
    // the user it works for, where that folder exists.
    if (user && !user->home.isEmpty() && QFileInfo(user->home).isDir())
        return user->home;
    return QDir::homePath();
}

bool DuplicateStartView::searchSystem() const {
    return m_system->isChecked();
}

void DuplicateStartView::chooseButtonAction() {
    const QString chosen = QFileDialog::getExistingDirectory(
        this, tr("Choose the folder to search"),
        folder().isEmpty() ? startFolder(UserAccount::invokingUser()) : folder());
    if (!chosen.isEmpty())
        setFolder(chosen);
}

void DuplicateStartView::startButtonAction() {
    // The search quietly does nothing for a folder it cannot list, which would read as "no
    // duplicates": such a folder is refused here, with the reason.
    const QString path = folder();
    const QFileInfo info(path);
    QString problem;
    if (path.isEmpty())
        problem = tr("Choose a folder to search.");
    else if (!info.isAbsolute())
        problem = tr("Give the folder's full path, starting with /.");
    else if (!info.exists())
        problem = tr("%1 does not exist.").arg(path);
    else if (!info.isDir())
        problem = tr("%1 is not a folder.").arg(path);
    else if (!info.isReadable() || !info.isExecutable())
        problem = tr("%1 cannot be read with the rights the program has.").arg(path);
    if (!problem.isEmpty()) {
        m_problem->setText(problem);
        m_problem->show();
        return;
    }
    m_problem->hide();
    emit searchRequested(QDir::cleanPath(info.absoluteFilePath()), searchHidden(), searchSystem());
}
