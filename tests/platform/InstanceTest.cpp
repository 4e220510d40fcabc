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

TEST_F(InstanceTest, ForwardedLinesArriveIntactAndInOrder) {
    LineForwardServer server(file("r.sock"));
    ASSERT_TRUE(server.listen());
    QSignalSpy received(&server, &LineForwardServer::lineReceived);

    const QString withBlanks = QStringLiteral("/RS?/home/a b/x.mid");
    const QString japanese = QStringLiteral("/PC?/home/曲 集/新しい.wav");
    EXPECT_TRUE(forwardBeside(server.socketPath(), withBlanks));
    EXPECT_TRUE(forwardBeside(server.socketPath(), japanese));
    EXPECT_TRUE(forwardBeside(server.socketPath(), QString()));
    while (received.size() < 3 && received.wait(5000)) {}
    ASSERT_EQ(received.size(), 3);
    EXPECT_EQ(received[0][0].toString(), withBlanks);
    EXPECT_EQ(received[1][0].toString(), japanese);
    EXPECT_EQ(received[2][0].toString(), QString());
}

TEST_F(InstanceTest, ALineOverTheLimitArrivesEmptyAndOneAtTheLimitIntact) {
    LineForwardServer server(file("r.sock"));
    ASSERT_TRUE(server.listen());
    QSignalSpy received(&server, &LineForwardServer::lineReceived);

    // Japanese paths count by their characters, not their bytes.
    const QString atLimit = QString(kMaxForwardedCharacters - 100, u'a') + QString(100, u'曲');
    const QString overLimit = atLimit + u'a';
    EXPECT_TRUE(forwardBeside(server.socketPath(), atLimit));
    EXPECT_TRUE(forwardBeside(server.socketPath(), overLimit));
    while (received.size() < 2 && received.wait(5000)) {}
    ASSERT_EQ(received.size(), 2);
    EXPECT_EQ(received[0][0].toString(), atLimit);
    EXPECT_EQ(received[1][0].toString(), QString());
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
