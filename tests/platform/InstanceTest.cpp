#include "platform/InstanceLock.h"
#include "platform/LineForwarding.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtConcurrent/QtConcurrent>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace sondex {
namespace {

class InstanceTest : public ::testing::Test {
protected:
    QString file(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    QTemporaryDir dir;
};

TEST_F(InstanceTest, LockIsExclusiveUntilReleased) {
    InstanceLock first(file("a.lock"));
    InstanceLock second(file("a.lock"));
    ASSERT_TRUE(first.tryLock());
    EXPECT_FALSE(second.tryLock());
    EXPECT_TRUE(InstanceLock::isHeldElsewhere(file("a.lock")));
    first.unlock();
    EXPECT_FALSE(InstanceLock::isHeldElsewhere(file("a.lock")));
    EXPECT_TRUE(second.tryLock());
}

TEST_F(InstanceTest, AKilledHolderReleasesTheLock) {
    const QByteArray path = QFile::encodeName(file("b.lock"));
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        InstanceLock held(QFile::decodeName(path));
        const char ok = held.tryLock() ? '1' : '0';
        [[maybe_unused]] ssize_t n = ::write(ready[1], &ok, 1);
        ::pause();
        ::_exit(0);
    }
    char ok = 0;
    ASSERT_EQ(::read(ready[0], &ok, 1), 1);
    ASSERT_EQ(ok, '1');
    EXPECT_TRUE(InstanceLock::isHeldElsewhere(file("b.lock")));
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    EXPECT_FALSE(InstanceLock::isHeldElsewhere(file("b.lock")));
    ::close(ready[0]);
    ::close(ready[1]);
}

// The sender blocks until the line is read, so it runs beside the event loop.
bool forwardBeside(const QString& socket, const QString& line) {
    QFuture<bool> sent = QtConcurrent::run([=] { return forwardLine(socket, line, 5000); });
    while (!sent.isFinished()) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return sent.result();
}

// A line over the limit arrives empty; Japanese paths count by their characters, not their bytes.
TEST_F(InstanceTest, ForwardedLinesArriveIntactAndInOrderAndOneOverTheLimitEmpty) {
    LineForwardServer server(file("r.sock"));
    ASSERT_TRUE(server.listen());
    QSignalSpy received(&server, &LineForwardServer::lineReceived);

    const QString atLimit = QString(kMaxForwardedCharacters - 100, u'a') + QString(100, u'曲');
    const QStringList lines = {QStringLiteral("/RS?/home/a b/x.mid"), QStringLiteral("/PC?/home/曲 集/新しい.wav"),
                               QString(), atLimit, atLimit + u'a'};
    for (const QString& line : lines) EXPECT_TRUE(forwardBeside(server.socketPath(), line));
    while (received.size() < lines.size() && received.wait(5000)) {}
    ASSERT_EQ(received.size(), lines.size());
    for (qsizetype i = 0; i < lines.size(); ++i)
        EXPECT_EQ(received[i][0].toString(), i + 1 < lines.size() ? lines[i] : QString()) << i;
}

TEST_F(InstanceTest, ListeningReplacesASocketLeftByADeadProcessAndNoServerMeansNoDelivery) {
    EXPECT_FALSE(forwardLine(file("r.sock"), QStringLiteral("/RS"), 500));
    {
        QFile stale(file("r.sock"));
        ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    }
    LineForwardServer server(file("r.sock"));
    EXPECT_TRUE(server.listen());
    EXPECT_TRUE(forwardBeside(server.socketPath(), QStringLiteral("/RS")));
}

}  // namespace
}  // namespace sondex
