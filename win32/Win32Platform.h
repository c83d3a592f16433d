#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/Desktop.h"
#include "platform/FileSystem.h"
#include "platform/Image.h"
#include "platform/Kernel.h"
#include "platform/Registry.h"
#include "platform/System.h"
#include "platform/TextPainter.h"
#include "win32/Handles.h"

namespace taktora::platform::win32 {

class Win32Registry final : public Registry {
public:
    std::optional<RegData> Read(RegRoot root, const std::string& subkey, const std::string& name,
                                std::size_t maxChars) override;
    bool WriteString(RegRoot root, const std::string& subkey, const std::string& name,
                     const std::string& text) override;
    bool DeleteValue(RegRoot root, const std::string& subkey, const std::string& name) override;
};

class Win32Kernel final : public Kernel {
public:
    Win32Kernel();
    long QueryProcessorCount(std::uint8_t& processors) override;
    long QueryCurrentTime(std::int64_t& currentTime) override;
    long QueryIdleTime(std::int64_t& idleTime) override;

private:
    using QueryFunction = LONG(WINAPI*)(ULONG informationClass, void* buffer, ULONG length, ULONG* returnLength);
    long Query(ULONG informationClass, void* buffer, ULONG length);

    QueryFunction query_ = nullptr;  // NtQuerySystemInformation, absent on the Windows 9x family
};

class Win32System final : public System {
public:
    Win32System();
    std::string Environment(const std::string& name) override;
    std::string ModulePath() override;
    std::string CommandLineArguments() override;
    void Sleep(int milliseconds) override;
    void RaiseThreadPriority() override;
    void RaiseProcessPriority() override;
    OsVersion Version() override;
    int NativeProcessorArchitecture() override;
    std::uint32_t TickCount() override;
    std::optional<std::uint64_t> TickCount64() override;
    LocalSeconds Now() override;
    ProgramVersion Program() override;
    bool TopLevelWindowOfClassExists(const std::string& className) override;
    std::string DecimalSeparator() override;

private:
    using TickCount64Function = ULONGLONG(WINAPI*)();

    TickCount64Function tickCount64_ = nullptr;  // GetTickCount64 exists from Windows Vista on
};

class Win32FileSystem final : public FileSystem {
public:
    std::optional<FileEntry> FindFirst(const std::string& pattern) override;
    bool Delete(const std::string& path) override;
};

class Win32Desktop final : public Desktop {
public:
    Size ScreenSize() override;
    int Dpi() override;
    Colour SystemColour(int index) override;
    Rect TaskbarRect() override;
    std::vector<Rect> Monitors() override;
    int TaskbarDpi() override;
    int SystemMetricForDpi(int index, int dpi) override;
    int SystemMetric(int index) override;
};

// Text through GDI, non-antialiased so that every pixel is reproducible. Fonts are made once per Font for the
// painter's DPI and kept until the painter goes.
class GdiTextPainter final : public TextPainter {
public:
    explicit GdiTextPainter(int dpi);
    int MeasureWidth(const Font& font, const std::string& text) override;
    int LineHeight(const Font& font) override;
    void Draw(Image& image, const Font& font, int x, int y, Colour colour, const std::string& text) override;
    // The window moved to a screen of another DPI: fonts are made anew for it.
    void SetDpi(int dpi);

private:
    // A text as GDI draws it in one of these fonts, which are never antialiased: each pixel of its cell is either the
    // text colour or left as it was, whatever the colour and the background. The cell starts `margin` pixels left of
    // the text's origin and is as high as the text.
    struct Rendered {
        Font font;
        std::string text;
        int width = 0;  // as GetTextExtentPoint32 measures it
        int margin = 0;
        int cellWidth = 0;
        int cellHeight = 0;
        std::vector<bool> set;  // row by row
    };
    static constexpr std::size_t kRenderedKept = 16;

    HFONT FontFor(const Font& font);
    // Selects the font into the DC and leaves it there: selecting the DC's default font back after every call made
    // Wine ask the X server's resources about antialiasing each time.
    void Select(const Font& font);
    // A DIB section of at least this size, kept selected into the painter's DC between calls.
    bool EnsureCell(int width, int height);
    // The text's pixels, drawn by GDI once and then kept for the next calls with the same font and text.
    const Rendered& Render(const Font& font, const std::string& text);

    int dpi_;
    MemoryDc dc_;
    GdiBitmap cell_;
    Pixel* cellBits_ = nullptr;
    int cellWidth_ = 0;
    int cellHeight_ = 0;
    std::optional<SelectedObject> cellSelection_;
    std::vector<std::pair<Font, GdiFont>> fonts_;
    // Declared after the fonts, so that the DC has its own font back before they go.
    std::optional<SelectedObject> fontSelection_;
    HFONT selectedFont_ = nullptr;
    std::vector<std::pair<Font, int>> lineHeights_;
    std::vector<Rendered> rendered_;
    std::size_t nextRendered_ = 0;  // the one replaced when a new text comes
};

}  // namespace taktora::platform::win32
