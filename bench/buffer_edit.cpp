// Editing a buffer of one million lines against one of a thousand: typing a character, splitting
// and joining a line, pasting 1000 lines and undoing the paste. Each figure is the median of many
// timed operations at pseudo-random places. Splits at random lines move the records between the
// last edit and this one (the line array keeps a gap at the last edit); splits at one place do not.
#include <string>

#include "buffer_bench_support.h"
#include "core/buffer/text_buffer.h"

namespace {

struct Figures {
    double dType, dTypeScattered, dSplit, dJoin, dSplitHere, dJoinHere, dPaste, dUndoPaste;
    int nLines;
};

class CEditBench {
public:
    explicit CEditBench(size_t nLines)
    {
        const std::string path = "/tmp/halyard-bench-edit-" + std::to_string(getpid()) + ".asm";
        bench::WriteFileBytes(path, bench::AssemblyText(SIZE_MAX, "\r\n", nLines));
        bench::CPosixFileSystem fs;
        if (!m_buffer.LoadFromFile(fs, path.c_str()))
            std::fprintf(stderr, "load failed\n");
        std::remove(path.c_str());
    }

    Figures Run()
    {
        Figures f;
        f.nLines = m_buffer.GetLineCount();
        f.dType = Typing(16);
        f.dTypeScattered = Typing(1);
        SplitAndJoin(true, f.dSplit, f.dJoin);
        SplitAndJoin(false, f.dSplitHere, f.dJoinHere);
        Paste(f.dPaste, f.dUndoPaste);
        return f;
    }

private:
    TextPosition RandomPlace()
    {
        const int y = static_cast<int>(m_random.Next() % static_cast<uint32_t>(m_buffer.GetLineCount()));
        return {static_cast<int>(m_random.Next() % static_cast<uint32_t>(m_buffer.GetLineLength(y) + 1)), y};
    }

    // Typing runs of 16 characters at random places (each character a group of its own), or single
    // characters each at a new random place.
    double Typing(int nRun)
    {
        std::vector<double> samples;
        for (int i = 0; i < 20000 / nRun; ++i) {
            TextPosition pt = RandomPlace();
            for (int k = 0; k < nRun; ++k) {
                int nEndLine, nEndChar;
                samples.push_back(bench::TimeOnce([&] {
                    (void)m_buffer.InsertText(nullptr, pt.y, pt.x, "x", nEndLine, nEndChar, ACTION_TYPING);
                }));
                pt = {nEndChar, nEndLine};
            }
        }
        return bench::Median(samples);
    }

    // Splits a line and joins it again; at random lines, or all at one line as when typing.
    void SplitAndJoin(bool bRandom, double& dSplit, double& dJoin)
    {
        std::vector<double> splits, joins;
        const TextPosition ptHere = RandomPlace();
        for (int i = 0; i < 2001; ++i) {
            const TextPosition pt = bRandom ? RandomPlace() : ptHere;
            int nEndLine, nEndChar;
            splits.push_back(bench::TimeOnce([&] {
                (void)m_buffer.InsertText(nullptr, pt.y, pt.x, "\r\n", nEndLine, nEndChar, ACTION_TYPING);
            }));
            joins.push_back(bench::TimeOnce([&] {
                (void)m_buffer.DeleteText(nullptr, pt.y, pt.x, nEndLine, nEndChar, ACTION_DELETE);
            }));
        }
        dSplit = bench::Median(splits);
        dJoin = bench::Median(joins);
    }

    void Paste(double& dPaste, double& dUndo)
    {
        const std::string text = bench::AssemblyText(SIZE_MAX, "\r\n", 1001);
        std::vector<double> pastes, undos;
        for (int i = 0; i < 201; ++i) {
            const TextPosition pt = RandomPlace();
            int nEndLine, nEndChar;
            pastes.push_back(bench::TimeOnce([&] {
                (void)m_buffer.InsertText(nullptr, pt.y, pt.x, text, nEndLine, nEndChar, ACTION_PASTE);
            }));
            TextPosition ptCursor;
            undos.push_back(bench::TimeOnce([&] { (void)m_buffer.Undo(ptCursor); }));
        }
        dPaste = bench::Median(pastes);
        dUndo = bench::Median(undos);
    }

    CTextBuffer m_buffer;
    bench::CRandom m_random;
};

void Print(const char* pszWhat, double dSmall, double dLarge)
{
    std::printf("%-34s 1k lines %9.2f us, 1M lines %9.2f us, ratio %.2f\n", pszWhat, dSmall * 1e6, dLarge * 1e6,
                dLarge / dSmall);
}

} // namespace

int main()
{
    const Figures small = CEditBench(1000).Run();
    const Figures large = CEditBench(1000000).Run();
    std::printf("buffers of %d and %d lines (medians)\n", small.nLines, large.nLines);
    Print("type one character (target <= 2)", small.dType, large.dType);
    Print("one character at a new random line", small.dTypeScattered, large.dTypeScattered);
    Print("split a line, random lines", small.dSplit, large.dSplit);
    Print("join it again, random lines", small.dJoin, large.dJoin);
    Print("split a line, one place", small.dSplitHere, large.dSplitHere);
    Print("join it again, one place", small.dJoinHere, large.dJoinHere);
    Print("paste 1000 lines", small.dPaste, large.dPaste);
    Print("undo the paste", small.dUndoPaste, large.dUndoPaste);
    return 0;
}
