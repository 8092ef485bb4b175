// Entry point of the Windows test programs. Output is unbuffered, and a crash names the test
// that was running, the exception code and the address before the process ends, so that a run
// that dies early under a test runner still says why.
#include <windows.h>
#include <gtest/gtest.h>
#include <cstdio>

namespace {

char g_current[512] = "(between tests)";

class CurrentTest : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo& info) override
    {
        snprintf(g_current, sizeof g_current, "%s.%s", info.test_suite_name(), info.name());
    }
    void OnTestEnd(const testing::TestInfo&) override
    {
        snprintf(g_current, sizeof g_current, "(between tests)");
    }
};

LONG WINAPI ReportCrash(EXCEPTION_POINTERS* info)
{
    const EXCEPTION_RECORD* rec = info->ExceptionRecord;
    fprintf(stderr, "\nCRASH in %s: exception 0x%08lX at %p\n", g_current,
            static_cast<unsigned long>(rec->ExceptionCode), rec->ExceptionAddress);
    fflush(stderr);
    return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

int main(int argc, char** argv)
{
    setvbuf(stdout, nullptr, _IONBF, 0);
    setvbuf(stderr, nullptr, _IONBF, 0);
    SetUnhandledExceptionFilter(ReportCrash);
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new CurrentTest);
    return RUN_ALL_TESTS();
}
