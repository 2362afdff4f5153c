// The disk modules as a user drives them, on a loop-mounted image: Disk Format checks the name
// as it is typed, asks, and formats; Disk Tool renames, unmounts and mounts the volume again.
#include "ModuleUiTestSupport.h"

#include "LoopDisk.h"
#include "LoopImage.h"
#include "app/FileCopy/DiskCopyViewController.h"
#include "app/RepairDisk/DiskFormatViewController.h"
#include "app/RepairDisk/DiskToolViewController.h"
#include "app/ui/ImageButton.h"

#include "tests/utils/QStringPrinter.h"
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace moduletest;
using testsupport::LoopDisk;
using testsupport::LoopImage;

namespace {

std::string run(const std::vector<std::string>& argv) {
    std::string out;
    LoopImage::run(argv, &out);
    while (!out.empty() && out.back() == '\n')
        out.pop_back();
    return out;
}

bool waitFor(QSignalSpy& spy, int ms = 60000) {
    return !spy.isEmpty() || spy.wait(ms);
}

TEST(DiskModulesTest, FormatChecksTheNameAsksAndFormatsTheChosenVolume) {
    if (const std::string why = LoopImage::unavailableReason(LoopImage::FileSystem::Ext4);
        !why.empty())
        GTEST_SKIP() << why;
    TempBundle bundle(TempBundle::Tool::Real);
    LoopImage image(LoopImage::FileSystem::Ext4, 40u << 20);
    image.mount();
    const QString device =
        QString::fromStdString(run({"findmnt", "-no", "SOURCE", image.mountPoint()}));
    DiskFormatViewController module(nullptr);
    module.show();
    QSignalSpy shown(&module, &DiskFormatViewController::volumesShown);
    ASSERT_TRUE(waitFor(shown));
    int row = -1;
    for (int i = 0; i < module.volumes().size(); ++i)
        if (module.volumes()[i].volumePath == device)
            row = i;
    ASSERT_GE(row, 0) << "the image is listed";
    EXPECT_FALSE(module.formatButton()->isEnabled()) << "nothing chosen yet";
    module.chooseVolume(row);
    module.formatBox()->setCurrentText(QStringLiteral("MS-DOS FAT32"));
    module.nameField()->setText(QStringLiteral("A:B"));
    EXPECT_FALSE(module.formatButton()->isEnabled());
    EXPECT_TRUE(module.nameProblem()->text().contains(QLatin1String("may not hold :")));
    module.nameField()->setText(QStringLiteral("new vol"));
    EXPECT_TRUE(module.formatButton()->isEnabled());
    EXPECT_EQ(module.nameProblem()->text(), QStringLiteral("The volume will be named NEW VOL."));

    QString question;
    Answerer answerer({{"MakeSureDiskFormatView", "continueButton",
                        [&question](QWidget* view) {
                            question =
                                view->findChild<QLabel*>(QStringLiteral("messageText"))->text();
                            return true;
                        }},
                       {"DiskFormatSuccessView", "okButton", {}},
                       {"DiskFormatFailView", "okButton", {}}});
    QSignalSpy finished(&module, &DiskFormatViewController::formatFinished);
    module.formatButton()->click();
    ASSERT_TRUE(waitFor(finished, 120000));
    EXPECT_TRUE(finished.first().at(0).toBool()) << finished.first().at(1).toString().toStdString();
    EXPECT_EQ(answerer.answered(),
              (QStringList{"MakeSureDiskFormatView", "DiskFormatSuccessView"}));
    EXPECT_TRUE(question.contains(device) && question.contains(QLatin1String("Everything on it")))
        << question.toStdString();
    EXPECT_EQ(run({"blkid", "-p", "-s", "TYPE", "-o", "value", device.toStdString()}), "vfat");
    EXPECT_EQ(run({"blkid", "-p", "-s", "LABEL", "-o", "value", device.toStdString()}), "NEW VOL");
}

// A blank disk is offered whole, with a choice of partition table; the question says it is
// blank and what it becomes; afterwards its new partition is offered too, not mounted.
TEST(DiskModulesTest, FormatOffersABlankDiskWholeAndGivesItATableAndAFileSystem) {
    if (const std::string why = LoopDisk::unavailableReason(); !why.empty())
        GTEST_SKIP() << why;
    TempBundle bundle(TempBundle::Tool::Real);
    LoopDisk disk(48u << 20);
    const QString device = QString::fromStdString(disk.device());
    DiskFormatViewController module(nullptr);
    module.show();
    QSignalSpy shown(&module, &DiskFormatViewController::volumesShown);
    ASSERT_TRUE(waitFor(shown));
    auto rowOf = [&module](const QString& node, FormatTarget::Kind kind) {
        for (int i = 0; i < module.targets().size(); ++i)
            if (module.targets()[i].device() == node && module.targets()[i].kind == kind)
                return i;
        return -1;
    };
    const int row = rowOf(device, FormatTarget::Kind::WholeDisk);
    ASSERT_GE(row, 0) << "the blank disk is offered";
    EXPECT_EQ(module.table()->item(row, 1)->text(), QStringLiteral("blank"));
    module.chooseVolume(row);
    EXPECT_TRUE(module.tableBox()->isEnabled()) << "a whole disk gets a partition table";
    module.tableBox()->setCurrentIndex(module.tableBox()->findData(QStringLiteral("dos")));
    module.formatBox()->setCurrentText(QStringLiteral("ext4"));
    module.nameField()->setText(QStringLiteral("Blank"));

    QString question;
    Answerer answerer({{"MakeSureDiskFormatView", "continueButton",
                        [&question](QWidget* view) {
                            question =
                                view->findChild<QLabel*>(QStringLiteral("messageText"))->text();
                            return true;
                        }},
                       {"DiskFormatSuccessView", "okButton", {}},
                       {"DiskFormatFailView", "okButton", {}}});
    QSignalSpy finished(&module, &DiskFormatViewController::formatFinished);
    shown.clear();
    module.formatButton()->click();
    ASSERT_TRUE(waitFor(finished, 120000));
    EXPECT_TRUE(finished.first().at(0).toBool()) << finished.first().at(1).toString().toStdString();
    EXPECT_TRUE(question.contains(device + QStringLiteral(" is blank")) &&
                question.contains(QLatin1String("new dos partition table")))
        << question.toStdString();
    const std::string part = disk.partitionNode(1);
    ASSERT_FALSE(part.empty());
    EXPECT_TRUE(finished.first().at(1).toString().contains(QString::fromStdString(part)));
    EXPECT_EQ(run({"blkid", "-p", "-s", "TYPE", "-o", "value", part}), "ext4");
    EXPECT_EQ(run({"blkid", "-p", "-s", "LABEL", "-o", "value", part}), "Blank");
    EXPECT_EQ(run({"blkid", "-p", "-s", "PTTYPE", "-o", "value", disk.device()}), "dos");

    ASSERT_TRUE(waitFor(shown));
    const int partRow = rowOf(QString::fromStdString(part), FormatTarget::Kind::UnmountedVolume);
    ASSERT_GE(partRow, 0) << "the unmounted partition is offered";
    EXPECT_EQ(module.table()->item(partRow, 4)->text(), QStringLiteral("not mounted"));
    module.chooseVolume(partRow);
    EXPECT_FALSE(module.tableBox()->isEnabled()) << "a partition holds no partition table";
}

TEST(DiskModulesTest, DiskToolRenamesUnmountsAndMountsTheVolume) {
    if (const std::string why = LoopImage::unavailableReason(LoopImage::FileSystem::Ext4);
        !why.empty())
        GTEST_SKIP() << why;
    TempBundle bundle(TempBundle::Tool::Real);
    LoopImage image(LoopImage::FileSystem::Ext4, 24u << 20);
    image.mount();
    const std::string device = run({"findmnt", "-no", "SOURCE", image.mountPoint()});
    const QString node = QString::fromStdString(device);
    DiskToolViewController module(nullptr);
    module.show();
    QSignalSpy shown(&module, &DiskToolViewController::disksShown);
    ASSERT_TRUE(waitFor(shown));
    ASSERT_TRUE(module.select(node));
    shown.clear();
    EXPECT_TRUE(module.renameButton()->isEnabled());
    EXPECT_EQ(module.mountButton()->text(), QStringLiteral("Unmount"));

    const QString label = QStringLiteral("KV%1").arg(::getpid() % 100000);
    Answerer answerer(
        {{"RenameVolumeView", "renameButton", [&label](QWidget* view) {
              view->findChild<QLineEdit*>(QStringLiteral("nameField"))->setText(label);
              return true;
          }}});
    QSignalSpy done(&module, &DiskToolViewController::actionFinished);
    module.renameSelected();
    ASSERT_TRUE(waitFor(done));
    EXPECT_TRUE(done.takeFirst().at(0).toBool()) << module.statusLabel()->text().toStdString();
    EXPECT_EQ(run({"blkid", "-p", "-s", "LABEL", "-o", "value", device}), label.toStdString());

    ASSERT_TRUE(waitFor(shown));
    shown.clear();
    ASSERT_TRUE(module.select(node));
    module.mountOrUnmountSelected();
    ASSERT_TRUE(done.wait(30000));
    EXPECT_TRUE(done.takeFirst().at(0).toBool()) << module.statusLabel()->text().toStdString();
    EXPECT_EQ(run({"findmnt", "-n", "-o", "TARGET", "--source", device}), "");
    ASSERT_TRUE(waitFor(shown));
    ASSERT_TRUE(module.select(node));
    EXPECT_EQ(module.mountButton()->text(), QStringLiteral("Mount"));
    module.mountOrUnmountSelected();
    ASSERT_TRUE(done.wait(30000));
    EXPECT_TRUE(done.takeFirst().at(0).toBool()) << module.statusLabel()->text().toStdString();
    EXPECT_EQ(run({"findmnt", "-n", "-o", "TARGET", "--source", device}),
              "/media/" + label.toStdString());
    EXPECT_EQ(module.statusLabel()->text(),
              QStringLiteral("%1 is mounted at /media/%2.").arg(node, label));
    run({"umount", "/media/" + label.toStdString()});
    run({"rmdir", "/media/" + label.toStdString()});
}

// What is ticked is copied; a file already there is kept beside when the user says so; the end
// says what happened.
TEST(DiskModulesTest, DiskCopyCopiesWhatIsTickedAndAsksAboutFilesInTheWay) {
    QTemporaryDir source, destination;
    const QString from = source.path(), to = destination.path();
    for (const char* name : {"/album/one.jpg", "/album/two.jpg", "/notes.txt", "/skip-me.txt"})
        writeFile(from + QLatin1String(name), 1000);
    QFile old(to + "/notes.txt");
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old notes");
    old.close();

    DiskCopyViewController view;
    view.show();
    view.scanSource(from);
    view.setDestination(to);
    QTreeWidgetItem* top = view.tree()->topLevelItem(0);
    ASSERT_EQ(top->childCount(), 3);
    for (int i = 0; i < top->childCount(); ++i)
        if (top->child(i)->text(0) == QLatin1String("skip-me.txt"))
            top->child(i)->setCheckState(0, Qt::Unchecked);
    EXPECT_EQ(view.chosenPaths(), (QStringList{from + "/album", from + "/notes.txt"}));

    Answerer answerer({{"CopyExistingView", "keepBothButton", {}}});
    QSignalSpy finished(&view, &DiskCopyViewController::copyFinished);
    view.startCopy();
    ASSERT_TRUE(waitFor(finished, 30000));
    EXPECT_EQ(answerer.answered(), QStringList{"CopyExistingView"});
    EXPECT_TRUE(exists(to + "/album/one.jpg") && exists(to + "/album/two.jpg"));
    EXPECT_TRUE(exists(to + "/notes (2).txt"));
    EXPECT_FALSE(exists(to + "/skip-me.txt"));
    QFile kept(to + "/notes.txt");
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "old notes");
    EXPECT_TRUE(view.reportText()->text().startsWith(QLatin1String("3 copied")))
        << view.reportText()->text().toStdString();
}

} // namespace
