#include "editor/editor_font.h"
#include "fx/fx_handles.h"

namespace {

// Fixed-pitch faces that carry code page 936 glyphs, on Windows and on the test machines.
const char* const kFallbackFaces[] = {"新宋体", "NSimSun", "文泉驿等宽正黑", "WenQuanYi Zen Hei Mono"};

bool IsFixedPitch(HDC dc)
{
    SIZE narrow{}, wide{};
    return GetTextExtentPoint32A(dc, "i", 1, &narrow) && GetTextExtentPoint32A(dc, "W", 1, &wide) &&
           narrow.cx == wide.cx && narrow.cx > 0;
}

bool ShowsChinese(HDC dc)
{
    if (GetTextCharset(dc) == GB2312_CHARSET) return true;
    WORD glyph = 0xFFFF;
    const wchar_t zhong = 0x4E2D;
    return GetGlyphIndicesW(dc, &zhong, 1, &glyph, GGI_MARK_NONEXISTING_GLYPHS) == 1 && glyph != 0xFFFF;
}

// On `dc`, the font was not replaced by another face, and it suits the grid.
bool Suits(HDC dc, HFONT font, const char* face)
{
    FxSelectObject select(dc, font);
    char realFace[LF_FACESIZE] = {};
    GetTextFaceA(dc, sizeof realFace, realFace);
    return lstrcmpiA(realFace, face) == 0 && IsFixedPitch(dc) && ShowsChinese(dc);
}

HFONT CreateWithFace(LOGFONTA lf, const char* face)
{
    lstrcpynA(lf.lfFaceName, face, sizeof lf.lfFaceName);
    lf.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    return CreateFontIndirectA(&lf);
}

}  // namespace

HFONT CreateEditorFont(const LOGFONTA& wanted)
{
    FxClientDC screen(nullptr);
    return CreateEditorFontOn(wanted, screen.Get());
}

HFONT CreateEditorFontOn(const LOGFONTA& wanted, HDC dc)
{
    FxFont font(CreateFontIndirectA(&wanted));
    if (font && Suits(dc, font.Get(), wanted.lfFaceName)) return font.Release();
    LOGFONTA chinese = wanted;
    chinese.lfCharSet = GB2312_CHARSET;
    for (const char* face : kFallbackFaces) {
        FxFont candidate(CreateWithFace(chinese, face));
        if (candidate && Suits(dc, candidate.Get(), face)) return candidate.Release();
    }
    return font.Release();
}
