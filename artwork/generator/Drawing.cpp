#include "Drawing.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

// Deep enough for parts built from parts, shallow enough to stop a file including itself.
constexpr int kMaxIncludeDepth = 8;

// Flattening tolerance in output pixels: far below what supersampling can show.
constexpr double kTolerance = 0.02;

std::string DirectoryOf(const std::string& path)
{
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool ReadFile(const std::string& path, std::string& text)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    text = buffer.str();
    return true;
}

bool ParseNumber(const std::string& word, double& value)
{
    if (word.empty())
        return false;
    char* end = nullptr;
    value = std::strtod(word.c_str(), &end);
    return end == word.c_str() + word.size() && std::isfinite(value);
}

std::vector<std::string> SplitWords(const std::string& text)
{
    std::vector<std::string> words;
    std::string word;
    for (char c : text) {
        if (std::isspace(static_cast<unsigned char>(c)) || c == ',') {
            if (!word.empty())
                words.push_back(word);
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty())
        words.push_back(word);
    return words;
}

// Path data: command letters stand alone; numbers may run together as in "3-4" or "1.5.5".
bool SplitPathData(const std::string& text, std::vector<std::string>& tokens, std::string& bad)
{
    size_t i = 0;
    while (i < text.size()) {
        char c = text[i];
        if (std::isspace(static_cast<unsigned char>(c)) || c == ',') {
            ++i;
        } else if (std::isalpha(static_cast<unsigned char>(c)) && c != 'e' && c != 'E') {
            tokens.emplace_back(1, c);
            ++i;
        } else {
            const char* start = text.c_str() + i;
            char* end = nullptr;
            double v = std::strtod(start, &end);
            if (end == start || !std::isfinite(v)) {
                bad = text.substr(i, text.find_first_of(" \t,", i) - i);
                return false;
            }
            tokens.emplace_back(start, static_cast<const char*>(end));
            i += static_cast<size_t>(end - start);
        }
    }
    return true;
}

} // namespace

class CDrawingParser {
public:
    CDrawingParser(CDrawing& drawing, std::string& error, int depth)
        : m_drawing(drawing), m_error(error), m_nDepth(depth)
    {
    }

    bool Parse(const std::string& text, const std::string& name);

private:
    struct SState {
        bool bFill = true;
        SColor fill{0, 0, 0, 255};
        bool bStroke = false;
        SColor stroke{0, 0, 0, 255};
        double dWidth = 1;
        EFillRule rule = EFillRule::NonZero;
        CAffine transform;
    };

    bool Fail(const std::string& message);
    bool Command(const std::string& command, const std::string& rest);
    bool Numbers(const std::string& command, const std::string& rest, size_t count, const char* usage,
                 std::vector<double>& values);
    bool Points(const std::string& command, const std::string& rest, size_t minimum,
                std::vector<SPoint>& points);
    bool RequireSize();
    bool Include(const std::string& rest);
    bool PathData(const std::string& rest, CPath& path);
    // Adds a shape: area is filled; its outline is either an exact ring (closed primitives,
    // built by ring(halfWidth)) or the area's own edges stroked with round joins.
    template <class RingBuilder>
    void AddShape(const CPath& area, bool ringOutline, RingBuilder ring);
    void AddLine(const CPath& line);

    CDrawing& m_drawing;
    std::string& m_error;
    int m_nDepth;
    std::string m_name;
    int m_nLine = 0;
    bool m_bSized = false;
    SState m_state;
    std::vector<std::pair<SState, int>> m_saved;   // state and the line of its "push"
};

bool CDrawingParser::Fail(const std::string& message)
{
    m_error = m_name + ":" + std::to_string(m_nLine) + ": " + message;
    return false;
}

bool CDrawingParser::Parse(const std::string& text, const std::string& name)
{
    m_name = name;
    std::istringstream in(text);
    std::string line;
    m_nLine = 0;
    while (std::getline(in, line)) {
        ++m_nLine;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        size_t start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line[start] == '#')
            continue;
        size_t end = line.find_first_of(" \t", start);
        std::string command = line.substr(start, end == std::string::npos ? std::string::npos : end - start);
        std::string rest = end == std::string::npos ? std::string() : line.substr(end);
        if (!Command(command, rest))
            return false;
    }
    if (!m_saved.empty()) {
        m_nLine = m_saved.back().second;
        return Fail("'push' without a matching 'pop'");
    }
    if (!m_bSized) {
        m_error = m_name + ": no 'size' line";
        return false;
    }
    return true;
}

bool CDrawingParser::Numbers(const std::string& command, const std::string& rest, size_t count,
                             const char* usage, std::vector<double>& values)
{
    std::vector<std::string> words = SplitWords(rest);
    values.clear();
    for (const std::string& w : words) {
        double v = 0;
        if (!ParseNumber(w, v))
            return Fail("'" + w + "' is not a number");
        values.push_back(v);
    }
    if (values.size() != count)
        return Fail("'" + command + "' takes " + std::to_string(count) + (count == 1 ? " number (" : " numbers (") +
                    usage + "), got " + std::to_string(values.size()));
    return true;
}

bool CDrawingParser::Points(const std::string& command, const std::string& rest, size_t minimum,
                            std::vector<SPoint>& points)
{
    std::vector<std::string> words = SplitWords(rest);
    points.clear();
    if (words.size() % 2 != 0)
        return Fail("'" + command + "' takes x,y pairs, got an odd count of numbers");
    for (size_t i = 0; i < words.size(); i += 2) {
        SPoint p;
        if (!ParseNumber(words[i], p.x))
            return Fail("'" + words[i] + "' is not a number");
        if (!ParseNumber(words[i + 1], p.y))
            return Fail("'" + words[i + 1] + "' is not a number");
        points.push_back(p);
    }
    if (points.size() < minimum)
        return Fail("'" + command + "' needs at least " + std::to_string(minimum) + " points");
    return true;
}

bool CDrawingParser::RequireSize()
{
    return m_bSized || Fail("'size' must come before the first shape");
}

template <class RingBuilder>
void CDrawingParser::AddShape(const CPath& area, bool ringOutline, RingBuilder ring)
{
    SDrawOp op;
    op.transform = m_state.transform;
    if (m_state.bFill) {
        op.fill = area;
        op.fillRule = m_state.rule;
        op.fillColour = m_state.fill;
    }
    if (m_state.bStroke) {
        op.strokeColour = m_state.stroke;
        op.strokeWidth = m_state.dWidth;
        if (ringOutline)
            op.strokeArea = ring(m_state.dWidth / 2);
        else
            op.strokeLine = area;
    }
    m_drawing.m_ops.push_back(std::move(op));
}

void CDrawingParser::AddLine(const CPath& line)
{
    if (!m_state.bStroke)
        return;
    SDrawOp op;
    op.transform = m_state.transform;
    op.strokeColour = m_state.stroke;
    op.strokeWidth = m_state.dWidth;
    op.strokeLine = line;
    m_drawing.m_ops.push_back(std::move(op));
}

bool CDrawingParser::Command(const std::string& command, const std::string& rest)
{
    std::vector<double> v;
    std::vector<SPoint> pts;
    auto noRing = [](double) { return CPath(); };

    if (command == "size") {
        if (!Numbers(command, rest, 2, "width height", v))
            return false;
        if (v[0] <= 0 || v[1] <= 0)
            return Fail("'size' must be positive");
        if (m_bSized) {
            if (m_nDepth == 0)
                return Fail("'size' given twice");
            if (v[0] != m_drawing.m_dWidth || v[1] != m_drawing.m_dHeight)
                return Fail("included drawing has a different 'size'");
            return true;
        }
        m_drawing.m_dWidth = v[0];
        m_drawing.m_dHeight = v[1];
        m_bSized = true;
        return true;
    }
    if (command == "fill" || command == "stroke") {
        std::vector<std::string> words = SplitWords(rest);
        bool isFill = command == "fill";
        if (words.size() == 1 && words[0] == "none") {
            (isFill ? m_state.bFill : m_state.bStroke) = false;
            return true;
        }
        if (words.empty() || words.size() > (isFill ? 1u : 2u))
            return Fail(isFill ? "'fill' takes a colour or 'none'" : "'stroke' takes a colour and a width, or 'none'");
        SColor colour;
        if (!ParseColor(words[0], colour))
            return Fail("'" + words[0] + "' is not a colour (#rrggbb or #rrggbbaa)");
        if (isFill) {
            m_state.fill = colour;
            m_state.bFill = true;
            return true;
        }
        if (words.size() == 2) {
            double width = 0;
            if (!ParseNumber(words[1], width))
                return Fail("'" + words[1] + "' is not a number");
            if (width <= 0)
                return Fail("stroke width must be positive");
            m_state.dWidth = width;
        }
        m_state.stroke = colour;
        m_state.bStroke = true;
        return true;
    }
    if (command == "fillrule") {
        std::vector<std::string> words = SplitWords(rest);
        if (words.size() == 1 && words[0] == "nonzero")
            m_state.rule = EFillRule::NonZero;
        else if (words.size() == 1 && words[0] == "evenodd")
            m_state.rule = EFillRule::EvenOdd;
        else
            return Fail("'fillrule' takes 'nonzero' or 'evenodd'");
        return true;
    }
    if (command == "push") {
        if (!Numbers(command, rest, 0, "", v))
            return false;
        m_saved.emplace_back(m_state, m_nLine);
        return true;
    }
    if (command == "pop") {
        if (!Numbers(command, rest, 0, "", v))
            return false;
        if (m_saved.empty())
            return Fail("'pop' without a 'push'");
        m_state = m_saved.back().first;
        m_saved.pop_back();
        return true;
    }
    if (command == "translate") {
        if (!Numbers(command, rest, 2, "dx dy", v))
            return false;
        m_state.transform = m_state.transform * CAffine::Translate(v[0], v[1]);
        return true;
    }
    if (command == "rotate") {
        std::vector<std::string> words = SplitWords(rest);
        if (!Numbers(command, rest, words.size() == 3 ? 3 : 1, "degrees [cx cy]", v))
            return false;
        if (v.size() == 3)
            m_state.transform = m_state.transform * CAffine::Translate(v[1], v[2]) * CAffine::Rotate(v[0]) *
                                CAffine::Translate(-v[1], -v[2]);
        else
            m_state.transform = m_state.transform * CAffine::Rotate(v[0]);
        return true;
    }
    if (command == "scale") {
        std::vector<std::string> words = SplitWords(rest);
        if (!Numbers(command, rest, words.size() == 2 ? 2 : 1, "s or sx sy", v))
            return false;
        m_state.transform = m_state.transform * CAffine::Scale(v[0], v.size() == 2 ? v[1] : v[0]);
        return true;
    }
    if (command == "include")
        return Include(rest);

    if (command == "poly" || command == "line") {
        bool closed = command == "poly";
        if (!Points(command, rest, closed ? 3 : 2, pts) || !RequireSize())
            return false;
        CPath path;
        path.AddPolygon(pts, closed);
        if (closed)
            AddShape(path, false, noRing);
        else
            AddLine(path);
        return true;
    }
    if (command == "circle" || command == "ellipse") {
        bool circle = command == "circle";
        if (!Numbers(command, rest, circle ? 3 : 4, circle ? "cx cy r" : "cx cy rx ry", v) || !RequireSize())
            return false;
        SPoint c{v[0], v[1]};
        double rx = v[2], ry = circle ? v[2] : v[3];
        if (rx <= 0 || ry <= 0)
            return Fail("radius must be positive");
        CPath path;
        path.AddEllipse(c, rx, ry);
        AddShape(path, true, [&](double hw) {
            CPath ring;
            ring.AddEllipse(c, rx + hw, ry + hw);
            if (rx > hw && ry > hw)
                ring.AddEllipse(c, rx - hw, ry - hw);
            return ring;
        });
        return true;
    }
    if (command == "rect" || command == "rrect") {
        bool round = command == "rrect";
        if (!Numbers(command, rest, round ? 5 : 4, round ? "x y w h r" : "x y w h", v) || !RequireSize())
            return false;
        double x = v[0], y = v[1], w = v[2], h = v[3], r = round ? v[4] : 0;
        if (w <= 0 || h <= 0)
            return Fail("width and height must be positive");
        if (r < 0)
            return Fail("radius must not be negative");
        CPath path;
        path.AddRoundRect(x, y, w, h, r);
        AddShape(path, true, [&](double hw) {
            CPath ring;
            ring.AddRoundRect(x - hw, y - hw, w + 2 * hw, h + 2 * hw, r > 0 ? r + hw : 0);
            if (w > 2 * hw && h > 2 * hw)
                ring.AddRoundRect(x + hw, y + hw, w - 2 * hw, h - 2 * hw, r > hw ? r - hw : 0);
            return ring;
        });
        return true;
    }
    if (command == "arc") {
        if (!Numbers(command, rest, 5, "cx cy r from-degrees to-degrees", v) || !RequireSize())
            return false;
        if (v[2] <= 0)
            return Fail("radius must be positive");
        CPath path;
        path.AddArc({v[0], v[1]}, v[2], v[2], v[3], v[4]);
        AddLine(path);
        return true;
    }
    if (command == "pie") {
        if (!Numbers(command, rest, 5, "cx cy r from-degrees to-degrees", v) || !RequireSize())
            return false;
        if (v[2] <= 0)
            return Fail("radius must be positive");
        CPath path;
        path.AddPie({v[0], v[1]}, v[2], v[3], v[4]);
        AddShape(path, false, noRing);
        return true;
    }
    if (command == "gear") {
        if (!Numbers(command, rest, 5, "cx cy outer-r inner-r teeth", v) || !RequireSize())
            return false;
        if (v[3] <= 0 || v[2] <= v[3])
            return Fail("'gear' needs 0 < inner-r < outer-r");
        if (v[4] < 3 || v[4] != std::floor(v[4]))
            return Fail("'gear' needs a whole number of at least 3 teeth");
        CPath path;
        path.AddGear({v[0], v[1]}, v[2], v[3], static_cast<int>(v[4]));
        AddShape(path, false, noRing);
        return true;
    }
    if (command == "path") {
        CPath path;
        if (!PathData(rest, path) || !RequireSize())
            return false;
        AddShape(path, false, noRing);
        return true;
    }
    return Fail("unknown command '" + command + "'");
}

bool CDrawingParser::PathData(const std::string& rest, CPath& path)
{
    std::vector<std::string> tokens;
    std::string bad;
    if (!SplitPathData(rest, tokens, bad))
        return Fail("'" + bad + "' is not a number");
    if (tokens.empty())
        return Fail("'path' needs path data (M x,y L x,y ... Z)");

    size_t i = 0;
    char command = 0;
    char previous = 0;          // upper-case command of the last segment, for S and T
    SPoint lastControl;         // its second control point, reflected by S and T
    auto isCommand = [&](size_t k) { return std::isalpha(static_cast<unsigned char>(tokens[k][0])) != 0; };
    auto take = [&](size_t n, double* out) {
        for (size_t k = 0; k < n; ++k) {
            if (i >= tokens.size() || isCommand(i))
                return Fail(std::string("path command '") + command + "' is missing numbers");
            ParseNumber(tokens[i++], out[k]);
        }
        return true;
    };

    while (i < tokens.size()) {
        if (isCommand(i))
            command = tokens[i++][0];
        else if (command == 0)
            return Fail("path data must start with 'M'");
        bool relative = std::islower(static_cast<unsigned char>(command)) != 0;
        char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(command)));
        if (upper != 'M' && !path.HasCurrentPoint())
            return Fail("path data must start with 'M'");
        SPoint cur = path.HasCurrentPoint() ? path.CurrentPoint() : SPoint{};
        auto at = [&](double x, double y) { return relative ? SPoint{cur.x + x, cur.y + y} : SPoint{x, y}; };
        auto reflected = [&](char after) {
            return previous == after ? SPoint{2 * cur.x - lastControl.x, 2 * cur.y - lastControl.y} : cur;
        };
        double n[7];
        char done = upper;
        switch (upper) {
        case 'M':
            if (!take(2, n))
                return false;
            path.MoveTo(at(n[0], n[1]));
            command = relative ? 'l' : 'L';     // further pairs are lines, as in SVG
            break;
        case 'L':
            if (!take(2, n))
                return false;
            path.LineTo(at(n[0], n[1]));
            break;
        case 'H':
            if (!take(1, n))
                return false;
            path.LineTo({relative ? cur.x + n[0] : n[0], cur.y});
            break;
        case 'V':
            if (!take(1, n))
                return false;
            path.LineTo({cur.x, relative ? cur.y + n[0] : n[0]});
            break;
        case 'C':
            if (!take(6, n))
                return false;
            lastControl = at(n[2], n[3]);
            path.CubicTo(at(n[0], n[1]), lastControl, at(n[4], n[5]));
            break;
        case 'S': {
            if (!take(4, n))
                return false;
            SPoint first = reflected('C');
            lastControl = at(n[0], n[1]);
            path.CubicTo(first, lastControl, at(n[2], n[3]));
            done = 'C';
            break;
        }
        case 'Q':
            if (!take(4, n))
                return false;
            lastControl = at(n[0], n[1]);
            path.QuadTo(lastControl, at(n[2], n[3]));
            break;
        case 'T':
            if (!take(2, n))
                return false;
            lastControl = reflected('Q');
            path.QuadTo(lastControl, at(n[0], n[1]));
            done = 'Q';
            break;
        case 'A':
            if (!take(7, n))
                return false;
            path.ArcTo(n[0], n[1], n[2], n[3] != 0, n[4] != 0, at(n[5], n[6]));
            break;
        case 'Z':
            path.Close();
            if (i < tokens.size() && !isCommand(i))
                return Fail("'Z' takes no numbers");
            break;
        default:
            return Fail(std::string("unknown path command '") + command + "'");
        }
        previous = done;
    }
    return true;
}

bool CDrawingParser::Include(const std::string& rest)
{
    std::vector<std::string> words = SplitWords(rest);
    if (words.size() != 1)
        return Fail("'include' takes one file name");
    if (m_nDepth >= kMaxIncludeDepth)
        return Fail("includes nested too deeply");
    std::string path = words[0][0] == '/' ? words[0] : DirectoryOf(m_name) + words[0];
    std::string text;
    if (!ReadFile(path, text))
        return Fail("cannot open '" + path + "'");
    CDrawingParser inner(m_drawing, m_error, m_nDepth + 1);
    inner.m_bSized = m_bSized;
    inner.m_state = m_state;
    return inner.Parse(text, path);
}

bool ParseDrawing(const std::string& text, const std::string& name, CDrawing& drawing, std::string& error)
{
    drawing = CDrawing();
    CDrawingParser parser(drawing, error, 0);
    return parser.Parse(text, name);
}

bool LoadDrawing(const std::string& path, CDrawing& drawing, std::string& error)
{
    std::string text;
    if (!ReadFile(path, text)) {
        error = path + ": cannot open file";
        return false;
    }
    return ParseDrawing(text, path, drawing, error);
}

CImage CDrawing::Render(int width, int height) const
{
    CCanvas canvas(width, height);
    CAffine toPixels = CAffine::Scale(width / m_dWidth, height / m_dHeight);
    for (const SDrawOp& op : m_ops) {
        CAffine t = toPixels * op.transform;
        if (!op.fill.Empty())
            canvas.Paint(CoverFill(op.fill.Flatten(t, kTolerance), op.fillRule, width, height), op.fillColour);
        if (!op.strokeArea.Empty())
            canvas.Paint(CoverFill(op.strokeArea.Flatten(t, kTolerance), EFillRule::EvenOdd, width, height),
                         op.strokeColour);
        if (!op.strokeLine.Empty())
            canvas.Paint(CoverStroke(op.strokeLine.Flatten(t, kTolerance), op.strokeWidth * t.LinearScale() / 2,
                                     width, height),
                         op.strokeColour);
    }
    CImage image(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.At(x, y) = canvas.Pixel(x, y);
    return image;
}
