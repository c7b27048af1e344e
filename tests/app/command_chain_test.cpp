#include "app/command_chain.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string trail;

template <char Name, int Takes>
int Handler(int command, intptr_t)
{
    trail += Name;
    return command == Takes ? 1 : 0;
}

TEST(CommandChain, OffersCommandsInTheFixedOrderUntilOneTakesIt)
{
    app::ResetCommandChain();
    // installed out of order: the chain's order is the slots', not the installation's
    app::SetCommandHandler(app::CommandSlot::Layers, Handler<'L', 700>);
    app::SetCommandHandler(app::CommandSlot::FileSave, Handler<'S', 500>);
    app::SetCommandHandler(app::CommandSlot::Tools, Handler<'T', 50023>);
    app::SetCommandHandler(app::CommandSlot::Shell, Handler<'Q', app::kCommandQuit>);
    app::SetCommandHandler(app::CommandSlot::Own, Handler<'O', 40041>);

    struct {
        uintptr_t command;
        int taken;
        const char* offeredTo;
    } cases[] = {
        {500, 1, "S"},
        {50023, 1, "ST"},
        {700, 1, "STL"},
        {100, 1, "STLQ"},
        {(3u << 16) | 700u, 1, "STL"},  // a notification code in the high word changes nothing
        {40041, 1, "O"},                // the dispatcher's own identifiers go nowhere else
        {40042, 0, "O"},
        {9999, 0, "STLQ"},
    };
    for (const auto& c : cases) {
        trail.clear();
        EXPECT_EQ(app::DispatchCommand(static_cast<int>(c.command), 0), c.taken) << c.command;
        EXPECT_EQ(trail, c.offeredTo) << c.command;
    }
    EXPECT_EQ(app::LastCommand(), 40041);  // refused commands are not remembered
    app::ResetCommandChain();
}

}  // namespace
