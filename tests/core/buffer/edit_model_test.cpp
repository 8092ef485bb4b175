// Thousands of random edits, groups, undos, redos and saves, checked after each step against a
// plain string model.
#include <gtest/gtest.h>

#include <random>

#include "edit_model.h"

namespace {

std::string RandomFile(std::mt19937& random)
{
    static const char kBytes[] = {'a', 'b', ' ', '\r', '\n', '\0', '\x1A', '\xB5'};
    std::string file(random() % 200, 'a');
    for (char& c : file)
        c = kBytes[random() % sizeof kBytes];
    return file;
}

TEST(EditModel, RandomScriptsMatchTheModelAfterEveryStep)
{
    for (unsigned nSeed = 1; nSeed <= 12; ++nSeed) {
        std::mt19937 random(nSeed);
        const std::string file = RandomFile(random);
        CEditModel model(file, nSeed % 4 == 0 ? EOL_LF : EOL_DETECT, [&random] { return static_cast<unsigned>(random()); });
        for (int nStep = 0; nStep < 3000 && model.Step(); ++nStep) {
        }
        ASSERT_EQ("", model.strFailure) << "seed " << nSeed;
        model.UndoAll();
        model.RedoAll();
        ASSERT_EQ("", model.strFailure) << "seed " << nSeed;
    }
}

TEST(EditModel, UndoAllReturnsTheLoadedTextAndRedoAllTheEditedText)
{
    std::mt19937 random(99);
    CEditModel model("mov ax, bx\r\nint 21h\r\n", EOL_DETECT, [&random] { return static_cast<unsigned>(random()); });
    const std::string loaded = model.Text();
    for (int nStep = 0; nStep < 200 && model.Step(); ++nStep) {
    }
    model.RedoAll();
    const std::string edited = model.Text();
    ASSERT_LT(model.Buffer().GetHistory().Count(), CUndoHistory::DEFAULT_LIMIT);
    model.UndoAll();
    EXPECT_EQ(loaded, model.Text());
    model.RedoAll();
    EXPECT_EQ(edited, model.Text());
    EXPECT_EQ("", model.strFailure);
}

} // namespace
