#include "atlassource.h"

#include <map>

namespace tw::glyphs {
namespace {

// Numbers separated by commas, so many to a line.
template <typename Values>
void appendList(std::string& out, const Values& values, int perLine) {
    int onLine = 0;
    out += "    ";
    for (const auto value : values) {
        if (onLine == perLine) {
            out += "\n    ";
            onLine = 0;
        }
        out += std::to_string(int(value));
        out += ',';
        ++onLine;
    }
    out += '\n';
}

} // namespace

std::string atlasSource(const GlyphAtlas& atlas, const std::string& madeFrom) {
    std::vector<int> advances(std::begin(atlas.advance64), std::end(atlas.advance64));
    std::vector<int> ascents(std::begin(atlas.lineAscent64), std::end(atlas.lineAscent64));
    std::vector<int> faces(std::begin(atlas.face), std::end(atlas.face));
    std::vector<int> scripts(std::begin(atlas.script), std::end(atlas.script));
    std::vector<int> boxes;
    std::vector<int> coverage;
    for (const auto& steps : atlas.pictures) {
        for (const GlyphPicture& glyph : steps) {
            boxes.insert(boxes.end(), {glyph.left, glyph.top, glyph.width, glyph.height});
            coverage.insert(coverage.end(), glyph.coverage.begin(), glyph.coverage.end());
        }
    }
    // Sorted, so the file is the same from run to run.
    const std::map<int, int> kerning(atlas.kerning64.begin(), atlas.kerning64.end());
    std::vector<int> pairs;
    for (const auto& [key, kern] : kerning) pairs.insert(pairs.end(), {key, kern});

    std::string out;
    out += "// The game font as a glyph atlas, made by the make-glyphs tool from " + madeFrom + ".\n";
    out += "// Do not edit: run make-glyphs with this file's path to make it again.\n";
    out += "#include \"canvas/glyphatlas.h\"\n\n#include <cstdint>\n\nnamespace tw {\nnamespace {\n\n";
    out += "constexpr int kStampHeight = " + std::to_string(atlas.stampHeight) + ";\n";
    out += "constexpr std::int16_t kAdvance64[256] = {\n";
    appendList(out, advances, 16);
    out += "};\nconstexpr std::int16_t kLineAscent64[256] = {\n";
    appendList(out, ascents, 16);
    out += "};\nconstexpr std::uint8_t kFace[256] = {\n";
    appendList(out, faces, 32);
    out += "};\nconstexpr std::uint8_t kScript[256] = {\n";
    appendList(out, scripts, 32);
    out += "};\n// For each character and quarter pixel position: left, top, width, height.\n";
    out += "constexpr std::int8_t kBoxes[256 * GlyphAtlas::kSubpixelSteps * 4] = {\n";
    appendList(out, boxes, 16);
    out += "};\n// The glyphs' coverage, row by row, one glyph after another.\n";
    out += "constexpr std::uint8_t kCoverage[] = {\n";
    appendList(out, coverage, 24);
    out += "};\n// Kerned pairs: first << 8 | second, then the adjustment in 1/64 pixel.\n";
    out += "constexpr std::int32_t kKerning[] = {\n";
    appendList(out, pairs, 16);
    out += "};\n\n";
    out += R"(GlyphAtlas made() {
    GlyphAtlas atlas;
    atlas.stampHeight = kStampHeight;
    const std::uint8_t* coverage = kCoverage;
    for (int b = 0; b < 256; ++b) {
        atlas.advance64[b] = kAdvance64[b];
        atlas.lineAscent64[b] = kLineAscent64[b];
        atlas.face[b] = kFace[b];
        atlas.script[b] = GlyphAtlas::Script(kScript[b]);
        for (int step = 0; step < GlyphAtlas::kSubpixelSteps; ++step) {
            const std::int8_t* box = kBoxes + (b * GlyphAtlas::kSubpixelSteps + step) * 4;
            GlyphPicture& glyph = atlas.pictures[b][step];
            glyph.left = box[0];
            glyph.top = box[1];
            glyph.width = box[2];
            glyph.height = box[3];
            const int size = glyph.width * glyph.height;
            glyph.coverage.assign(coverage, coverage + size);
            coverage += size;
        }
    }
    for (std::size_t i = 0; i + 1 < std::size(kKerning); i += 2)
        atlas.kerning64[std::uint16_t(kKerning[i])] = kKerning[i + 1];
    return atlas;
}

} // namespace

const GlyphAtlas& gameFontAtlas() {
    static const GlyphAtlas atlas = made();
    return atlas;
}

} // namespace tw
)";
    return out;
}

} // namespace tw::glyphs
