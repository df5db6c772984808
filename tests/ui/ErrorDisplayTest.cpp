#include "platform/ErrorDisplay.h"
#include "platform/MessageBoxErrorDisplay.h"

#include "FakeBoxes.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace tarnwick {
namespace {

TEST(ErrorDisplay, HandlerErrorIsShownAsAnErrorBoxWithAFullStop)
{
    test::FakeMessageBoxes boxes;
    MessageBoxErrorDisplay display(boxes, "Tarnwick");
    bool ranOn = false;

    RunGuarded(display, [&] { throw AppError("Cannot open file /tmp/x.bin"); });
    RunGuarded(display, [&] { ranOn = true; });

    EXPECT_TRUE(ranOn);
    EXPECT_EQ(boxes.shown, (std::vector<MessageBoxRequest>{{.owner = BoxOwner::MainWindow,
                                                            .caption = "Tarnwick",
                                                            .text = "Cannot open file /tmp/x.bin.",
                                                            .buttons = BoxButtons::Ok,
                                                            .icon = BoxIcon::Error}}));
}

TEST(ErrorDisplay, FaultsOfTheProgramItselfAreNotSwallowed)
{
    test::RecordingErrorDisplay display;
    EXPECT_THROW(RunGuarded(display, [] { throw std::logic_error("bug"); }), std::logic_error);
    EXPECT_TRUE(display.errors.empty());
}

}  // namespace
}  // namespace tarnwick
