#include "gui/shell/SingleInstance.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "support/TempDir.h"

namespace lh::gui {
namespace {

TEST(SingleInstanceTest, ASecondStartHandsItsFileToTheFirst) {
    test::TempDir dir;
    const QString name = QString::fromStdString(dir.file("instance.socket"));
    SingleInstance first(name);
    ASSERT_TRUE(first.listen());
    QStringList received;
    bool busy = false;
    first.setHandler([&](const QString& file) {
        received << file;
        return !busy;
    });
    // The second start runs in this same process; answer its request from a worker thread.
    auto ask = [&](const QString& file) {
        std::atomic<bool> answered = false;
        SingleInstance::Reply reply = SingleInstance::Reply::NoAnswer;
        std::thread second([&] {
            reply = SingleInstance(name).askRunningInstance(file, 5000);
            answered = true;
        });
        while (!answered) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        }
        second.join();
        return reply;
    };
    EXPECT_EQ(ask("/home/a/Notes.LHD"), SingleInstance::Reply::Done);
    EXPECT_EQ(ask(""), SingleInstance::Reply::Done);
    busy = true;
    EXPECT_EQ(ask("/home/a/Other.lhd"), SingleInstance::Reply::Busy);
    EXPECT_EQ(received, (QStringList{"/home/a/Notes.LHD", "", "/home/a/Other.lhd"}));
}

TEST(SingleInstanceTest, ALeftOverSocketIsTakenOver) {
    test::TempDir dir;
    const QString name = QString::fromStdString(dir.file("stale.socket"));
    test::writeBytes(name.toStdString(), "");  // what a crashed instance leaves behind
    EXPECT_EQ(SingleInstance(name).askRunningInstance("", 500), SingleInstance::Reply::NoAnswer);
    SingleInstance fresh(name);
    EXPECT_TRUE(fresh.listen());
}

}  // namespace
}  // namespace lh::gui
