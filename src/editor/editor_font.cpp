#include "editor/editor_font.h"
#include "editor/gdi_handles.h"

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

// The font was not replaced by another face, and it suits the grid.
bool Suits(HFONT font, const char* face)
{
    HDC screen = GetDC(nullptr);
    bool ok = false;
    {
        CSelectObject select(screen, font);
        char realFace[LF_FACESIZE] = {};
        GetTextFaceA(screen, sizeof realFace, realFace);
        ok = lstrcmpiA(realFace, face) == 0 && IsFixedPitch(screen) && ShowsChinese(screen);
    }
    ReleaseDC(nullptr, screen);
    return ok;
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
    HFONT font = CreateFontIndirectA(&wanted);
    if (font && Suits(font, wanted.lfFaceName)) return font;
    LOGFONTA chinese = wanted;
    chinese.lfCharSet = GB2312_CHARSET;
    for (const char* face : kFallbackFaces) {
        HFONT candidate = CreateWithFace(chinese, face);
        if (candidate && Suits(candidate, face)) {
            if (font) DeleteObject(font);
            return candidate;
        }
        if (candidate) DeleteObject(candidate);
    }
    return font;
}
