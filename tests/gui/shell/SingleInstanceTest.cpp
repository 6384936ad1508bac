#include "gui/shell/SingleInstance.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <future>

#include "support/TempDir.h"

namespace lh::gui {
namespace {

// A second start with a file is the end-to-end test's; here the answers it may get.
TEST(SingleInstanceTest, ALeftOverSocketIsTakenOverThenASecondStartHandsItsFileToTheFirst) {
    test::TempDir dir;
    const QString name = QString::fromStdString(dir.file("instance.socket"));
    test::writeBytes(name.toStdString(), "");  // what a crashed instance leaves behind
    EXPECT_EQ(SingleInstance(name).askRunningInstance("", 500), SingleInstance::Reply::NoAnswer);
    SingleInstance first(name);
    ASSERT_TRUE(first.listen());
    QStringList received;
    bool busy = false;
    first.setHandler([&](const QString& file) {
        received << file;
        return !busy;
    });
    // The second start runs in this same process, on a worker thread, while this one answers.
    auto ask = [&](const QString& file) {
        auto reply = std::async(std::launch::async, [&] {
            return SingleInstance(name).askRunningInstance(file, 5000);
        });
        while (reply.wait_for(std::chrono::seconds(0)) != std::future_status::ready) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        }
        return reply.get();
    };
    EXPECT_EQ(ask(""), SingleInstance::Reply::Done);
    busy = true;
    EXPECT_EQ(ask("/home/a/Other.lhd"), SingleInstance::Reply::Busy);
    EXPECT_EQ(received, (QStringList{"", "/home/a/Other.lhd"}));
}

}  // namespace
}  // namespace lh::gui
