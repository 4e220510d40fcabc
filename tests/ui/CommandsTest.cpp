// A command looked up by a name that was never added stops the program at
// once with the name, in every build type, instead of crashing later on a
// null action.
#include "ui/Commands.h"

#include <QMenu>

#include <gtest/gtest.h>

namespace sondex {
namespace {

TEST(CommandsDeathTest, AnUnknownCommandNameStopsWithItsName) {
    Commands commands;
    QMenu menu;
    commands.add(&menu, "MKIROKU", QStringLiteral("録音記録一覧表示..."));
    EXPECT_EQ(commands["MKIROKU"]->objectName(), QStringLiteral("MKIROKU"));
    EXPECT_DEATH(commands["MKIROKO"], "unknown command MKIROKO");
    EXPECT_DEATH(commands.mirror({"MKIROKU", "MKIROKO"}), "unknown command MKIROKO");
}

}  // namespace
}  // namespace sondex
