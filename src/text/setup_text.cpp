#include "text/setup_text.h"

#include "model/check_bytes.h"
#include "model/image_map.h"
#include "model/param_items.h"
#include "model/setup_file.h"
#include "model/utf8_text.h"
#include "text/text_fields.h"
#include "text/toml_values.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <map>
#include <set>
#include <sstream>

namespace quelvar::text {

namespace {

constexpr int kUncovered = -1;
constexpr int kCheckBytes = INT_MAX;  // never compared: import stores fresh ones

// Which field stands for each byte of the setup file.
const std::vector<int>& owners()
{
    static const std::vector<int> owner = [] {
        std::vector<int> o(kSetupFileSize, kUncovered);
        const Fields& fields = setupFields();
        for (std::size_t i = 0; i < fields.size(); ++i)
            for (const Place& p : fields[i].places)
                std::fill_n(o.begin() + static_cast<std::ptrdiff_t>(p.offset), p.size,
                            static_cast<int>(i));
        o[image::kCheckBytes] = o[image::kCheckBytes + 1] = kCheckBytes;
        return o;
    }();
    return owner;
}

Setup factorySetup()
{
    Setup setup;
    ResetSetupToDefaults(setup.image);
    return setup;
}

std::vector<std::uint8_t> placeBytes(const SetupFileBytes& bytes, const std::vector<Place>& places)
{
    std::vector<std::uint8_t> out;
    for (const Place& p : places)
        out.insert(out.end(), bytes.begin() + static_cast<std::ptrdiff_t>(p.offset),
                   bytes.begin() + static_cast<std::ptrdiff_t>(p.offset + p.size));
    return out;
}

// Puts `raw` (as many bytes as the places hold) into the places of `setup`.
void putBytes(Setup& setup, const std::vector<Place>& places, std::span<const std::uint8_t> raw)
{
    SetupFileBytes bytes = encodeSetupFile(setup);
    std::size_t at = 0;
    for (const Place& p : places) {
        std::copy_n(raw.begin() + static_cast<std::ptrdiff_t>(at), p.size,
                    bytes.begin() + static_cast<std::ptrdiff_t>(p.offset));
        at += p.size;
    }
    decodeSetupFile(bytes, setup);
}

// The runs of bytes no field names, as places.
const std::vector<Place>& uncoveredRuns()
{
    static const std::vector<Place> runs = [] {
        std::vector<Place> found;
        const auto& owner = owners();
        for (std::size_t i = 0; i < owner.size(); ++i) {
            if (owner[i] != kUncovered) continue;
            if (!found.empty() && found.back().offset + found.back().size == i) ++found.back().size;
            else found.push_back({i, 1});
        }
        return found;
    }();
    return runs;
}

// Whether `after` differs from `before` only in bytes of field `field` or of the
// fields after it (or in the check bytes).
bool changesOnlyLaterBytes(const SetupFileBytes& before, const SetupFileBytes& after, int field)
{
    constexpr std::size_t kBlock = 64;  // compared whole first: most blocks are the same
    const auto& owner = owners();
    for (std::size_t at = 0; at < before.size(); at += kBlock) {
        const std::size_t n = std::min(kBlock, before.size() - at);
        if (std::memcmp(before.data() + at, after.data() + at, n) == 0) continue;
        for (std::size_t b = at; b < at + n; ++b)
            if (before[b] != after[b] && owner[b] < field) return false;
    }
    return true;
}

// How export writes one field: as shown; as shown, stored over the bytes it keeps as
// they were (a label shortened in its dialog keeps the old text after its 0); or raw.
struct Entry {
    enum Form { Skip, Shown, ShownOver, RawBytes } form = Skip;
    Value value;                      // Shown, ShownOver
    std::vector<std::uint8_t> bytes;  // ShownOver: the bytes stored over; RawBytes
};

struct Stored {
    Setup setup;
    SetupFileBytes bytes;
};

// Stores `shown` into `base` as import would; the result when that gives exactly the
// field's bytes `mine` and changes nothing import settled before field `index`.
std::optional<Stored> storeExactly(const Field& f, int index, const Setup& base,
                                   const SetupFileBytes& baseBytes, const Value& shown,
                                   const std::vector<std::uint8_t>& mine)
{
    Stored trial{base, {}};
    if (f.store(trial.setup, shown).refused()) return std::nullopt;
    trial.bytes = encodeSetupFile(trial.setup);
    if (placeBytes(trial.bytes, f.places) != mine ||
        !changesOnlyLaterBytes(baseBytes, trial.bytes, index))
        return std::nullopt;
    return trial;
}

// A [[page]] the text holds starts unprogrammed, its bytes 255, so that an entry left
// out of it is no entry rather than the factory's.
template <typename Elements> void unprogramGroups(Setup& setup, const Elements& elements)
{
    SetupFileBytes bytes = encodeSetupFile(setup);
    for (const Field& f : setupFields())
        if (!f.group.empty() && elements.count(f.group))
            for (const Place& p : f.places)
                std::fill_n(bytes.begin() + static_cast<std::ptrdiff_t>(p.offset), p.size,
                            kUnprogrammed);
    decodeSetupFile(bytes, setup);
}

// The groups export writes: those that hold a programmed byte, and those whose
// factory bytes are programmed (left out, they would come back).
std::set<std::string> writtenGroups(const SetupFileBytes& want)
{
    static const SetupFileBytes factory = encodeSetupFile(factorySetup());
    std::set<std::string> groups;
    for (const Field& f : setupFields()) {
        if (f.group.empty()) continue;
        const auto programmed = [](std::uint8_t b) { return b != kUnprogrammed; };
        if (std::ranges::any_of(placeBytes(want, f.places), programmed) ||
            std::ranges::any_of(placeBytes(factory, f.places), programmed))
            groups.insert(f.group);
    }
    return groups;
}

struct Plan {
    std::vector<Entry> entries;     // one per field
    std::set<std::string> groups;  // the groups written
};

// Replays import field by field: a shown value is kept only when storing it, on the
// setup import will have built by then, gives back exactly the field's bytes and
// touches nothing import has already settled.
Plan plan(const Setup& setup, bool keepAll)
{
    const Fields& fields = setupFields();
    const SetupFileBytes want = encodeSetupFile(setup);
    Stored state{factorySetup(), {}};
    for (const Place& run : uncoveredRuns()) putBytes(state.setup, {run}, placeBytes(want, {run}));
    Plan result{{}, writtenGroups(want)};
    unprogramGroups(state.setup, result.groups);
    state.bytes = encodeSetupFile(state.setup);

    std::vector<Entry>& entries = result.entries;
    entries.resize(fields.size());
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const Field& f = fields[i];
        const int index = static_cast<int>(i);
        const auto mine = placeBytes(want, f.places);
        if (!keepAll && f.optional && placeBytes(state.bytes, f.places) == mine) continue;
        auto shown = f.show(setup);
        if (shown) {
            if (auto done = storeExactly(f, index, state.setup, state.bytes, *shown, mine)) {
                entries[i] = {Entry::Shown, std::move(*shown), {}};
                state = std::move(*done);
                continue;
            }
        }
        Stored over = state;
        putBytes(over.setup, f.places, mine);
        over.bytes = encodeSetupFile(over.setup);
        if (shown) {
            if (auto done = storeExactly(f, index, over.setup, over.bytes, *shown, mine)) {
                entries[i] = {Entry::ShownOver, std::move(*shown), mine};
                state = std::move(*done);
                continue;
            }
        }
        entries[i] = {Entry::RawBytes, {}, mine};
        state = std::move(over);
    }
    return result;
}

std::uint64_t littleEndian(const std::vector<std::uint8_t>& bytes)
{
    std::uint64_t n = 0;
    for (std::size_t i = bytes.size(); i-- > 0;) n = n << 8 | bytes[i];
    return n;
}

std::size_t sizeOf(const std::vector<Place>& places)
{
    std::size_t n = 0;
    for (const Place& p : places) n += p.size;
    return n;
}

// Whether the field's raw bytes are written as their number, else in hexadecimal.
bool rawAsNumber(const Field& f)
{
    return f.raw == Raw::Number && sizeOf(f.places) <= 4;
}

// Raw bytes as the text holds them: `{ hex = "0A 1B" }`.
std::string hexValue(std::span<const std::uint8_t> bytes)
{
    return "{ hex = " + tomlValue(Value{hexText(bytes)}) + " }";
}

// Raw bytes as their number: `{ raw = 6 }`.
std::string rawValue(const std::vector<std::uint8_t>& bytes)
{
    return "{ raw = " + std::to_string(littleEndian(bytes)) + " }";
}

// Raw bytes as diff shows them.
std::string rawText(const Field& f, const std::vector<std::uint8_t>& bytes)
{
    return rawAsNumber(f) ? rawValue(bytes) : "hex " + hexText(bytes);
}

// --- writing -----------------------------------------------------------------

// The last line of every whole text.
constexpr std::string_view kEndMarker = "[end]";

constexpr std::string_view kHeader =
    ": each key as its dialog shows it, with the parameter item it\n"
    "# stands for. A key left out takes its factory value, except in a [[page]]: an\n"
    "# entry left out of a page the text holds is empty. A setpoint, timer or user\n"
    "# function appears once it is set: add [[setpoint]], [[timer]] or [[function]]\n"
    "# with its number to set one. A value no dialog can show is written raw, as\n"
    "# { raw = 6 } or { hex = \"06 FF\" }; KEY_bytes holds the bytes a value is stored\n"
    "# over. Import refuses a text that does not end with [end].\n";

std::vector<std::string_view> segments(std::string_view path)
{
    std::vector<std::string_view> parts;
    for (std::size_t at = 0;;) {
        const std::size_t dot = path.find('.', at);
        parts.push_back(path.substr(at, dot - at));
        if (dot == std::string_view::npos) return parts;
        at = dot + 1;
    }
}

// Writes the table headers a key needs: "[scale]", or "[[setpoint]]" and its number.
class TextWriter {
public:
    explicit TextWriter(std::ostream& out) : m_out(out) {}

    // Opens a [[table]] element ("page.1") that may hold no key.
    void open(const std::string& element) { openTables(segments(element)); }

    void key(const std::string& path, const std::string& valueText, const std::string& comment)
    {
        auto parts = segments(path);
        const std::string_view name = parts.back();
        parts.pop_back();
        openTables(parts);
        m_out << name << " = " << valueText;
        if (!comment.empty()) m_out << "  # " << comment;
        m_out << '\n';
    }

private:
    void openTables(const std::vector<std::string_view>& parts)
    {
        std::string table;
        for (std::size_t i = 0; i < parts.size(); i += 2) {
            const std::string prefix = joined(parts, i + 2);
            if (i / 2 < m_open.size() && m_open[i / 2] == prefix) {
                table += (table.empty() ? "" : ".") + std::string(parts[i]);
                continue;
            }
            m_open.resize(i / 2);
            m_open.push_back(prefix);
            table += (table.empty() ? "" : ".") + std::string(parts[i]);
            if (i + 1 < parts.size())
                m_out << "\n[[" << table << "]]\nnumber = " << parts[i + 1] << '\n';
            else
                m_out << "\n[" << table << "]\n";
        }
    }

    static std::string joined(const std::vector<std::string_view>& parts, std::size_t count)
    {
        std::string s;
        for (std::size_t i = 0; i < std::min(count, parts.size()); ++i)
            s += (i ? "." : "") + std::string(parts[i]);
        return s;
    }

    std::ostream& m_out;
    std::vector<std::string> m_open;  // the open table of each depth
};

// The sibling key of a value stored over its field's old bytes: "labels.label_32_bytes".
constexpr std::string_view kOverSuffix = "_bytes";

std::string valueText(const Field& f, const Entry& e)
{
    if (e.form != Entry::RawBytes) return tomlValue(e.value);
    return rawAsNumber(f) ? rawValue(e.bytes) : hexValue(e.bytes);
}

std::string runKey(const Place& run) { return "bytes.at_" + std::to_string(run.offset); }

// The image's check bytes, written only when they are not the ones import stores: when
// they do not verify, or verify in the other form the sums allow (0 and 255 count the
// same, so an image of zeros verifies with 0 0 as with the stored 255 255).
constexpr std::string_view kCheckKey = "bytes.check";
constexpr Place kCheckPlace{image::kCheckBytes, 2};

std::string checkBytesComment(const Setup& setup)
{
    if (!VerifyCheckBytes(setup.image))
        return "the check bytes, which do not verify: an upload refuses this setup; import "
               "writes them as they are";
    auto stored = setup.image;
    StoreCheckBytes(stored);
    if (stored == setup.image) return {};
    return "the check bytes, which verify but are not the ones import stores; import writes "
           "them as they are";
}

}  // namespace

std::string exportSetupText(const Setup& setup)
{
    std::ostringstream out;
    out << kTextMarker << kHeader;
    TextWriter writer(out);
    const Fields& fields = setupFields();
    const Plan planned = plan(setup, false);
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const Entry& e = planned.entries[i];
        if (planned.groups.count(fields[i].group)) writer.open(fields[i].group);
        if (e.form == Entry::Skip) continue;
        writer.key(fields[i].path, valueText(fields[i], e), fields[i].comment);
        if (e.form == Entry::ShownOver)
            writer.key(fields[i].path + std::string(kOverSuffix), tomlValue(Value{hexText(e.bytes)}),
                       "the bytes the value above is stored over");
    }

    const SetupFileBytes have = encodeSetupFile(factorySetup());
    const SetupFileBytes want = encodeSetupFile(setup);
    for (const Place& run : uncoveredRuns()) {
        const auto bytes = placeBytes(want, {run});
        if (bytes == placeBytes(have, {run})) continue;
        writer.key(runKey(run), hexValue(bytes),
                   "bytes " + std::to_string(run.offset) + "-" +
                       std::to_string(run.offset + run.size - 1) + " that no key names");
    }
    if (const std::string comment = checkBytesComment(setup); !comment.empty())
        writer.key(std::string(kCheckKey), hexValue(placeBytes(want, {kCheckPlace})), comment);
    out << "\n" << kEndMarker << "  # the whole setup is above; import refuses a text cut before here\n";
    return out.str();
}

// --- reading -----------------------------------------------------------------

namespace {

std::string at(const Located& located, const std::string& path, const Refusal& refusal)
{
    const auto index = static_cast<std::size_t>(refusal.line);
    const int line = index < located.elementLines.size() ? located.elementLines[index] : located.line;
    return std::to_string(line) + ": " + path + ": " + refusal.message;
}

// What a key takes, for a value of the wrong type.
std::string expected(const Field& f)
{
    static constexpr const char* kKinds[] = {"true or false", "a whole number",
                                             "a text in quotes", "a list of lines"};
    std::string what = kKinds[static_cast<int>(f.kind)];
    if (f.numeric) what = "a number or its text in quotes";
    if (rawAsNumber(f)) what += ", or { raw = NUMBER } for a code no text names";
    return "expected " + what;
}

// The bytes a raw value stands for, or the message why it does not.
std::string rawBytes(const Field& f, const Located& v, std::vector<std::uint8_t>& bytes)
{
    const std::size_t size = sizeOf(f.places);
    if (v.hex) {
        auto parsed = parseHex(*v.hex);
        if (!parsed || parsed->size() != size)
            return "needs " + std::to_string(size) + " bytes in hexadecimal";
        bytes = std::move(*parsed);
        return "";
    }
    if (size > 4) return "needs { hex = \"...\" } with its " + std::to_string(size) + " bytes";
    const std::int64_t n = *v.raw;
    if (auto refusal = outOfRange(n, 0, (std::int64_t{1} << (8 * size)) - 1); refusal.refused())
        return "the raw number " + refusal.message;
    for (std::size_t i = 0; i < size; ++i) bytes.push_back(static_cast<std::uint8_t>(n >> (8 * i)));
    return "";
}

Refusal storeValue(Setup& setup, const Field& f, const Located& v)
{
    if (v.hex || v.raw) {
        std::vector<std::uint8_t> bytes;
        std::string error = rawBytes(f, v, bytes);
        if (error.empty()) putBytes(setup, f.places, bytes);
        return error;
    }
    if (f.numeric && v.number) return f.store(setup, Value{*v.number});
    if (v.isFloat || v.value.index() != static_cast<std::size_t>(f.kind)) return expected(f);
    return f.store(setup, v.value);
}

// The bytes a value is stored over: its field's bytes in hexadecimal.
std::string storeOver(Setup& setup, const Field& f, const Located& v)
{
    const auto* text = std::get_if<std::string>(&v.value);
    const auto bytes = text && !v.hex ? parseHex(*text) : std::nullopt;
    if (!bytes || bytes->size() != sizeOf(f.places))
        return "needs " + std::to_string(sizeOf(f.places)) + " bytes in hexadecimal";
    putBytes(setup, f.places, *bytes);
    return "";
}

// Whether the last line that is neither blank nor a comment is the end marker.
bool endsWithMarker(std::string_view text)
{
    while (!text.empty()) {
        const std::size_t start = text.find_last_of('\n', text.size() - 1);
        std::string_view line = start == std::string_view::npos ? text : text.substr(start + 1);
        text = start == std::string_view::npos ? std::string_view() : text.substr(0, start);
        line = line.substr(0, line.find('#'));
        const auto first = line.find_first_not_of(" \t\r");
        if (first == std::string_view::npos) continue;
        line = line.substr(first, line.find_last_not_of(" \t\r") + 1 - first);
        return line == kEndMarker;
    }
    return false;
}

// "3 settings took factory values: scale (2), ports (1)": what export always
// writes that the text left out (a key, or a [[page]] the factory programs).
std::string factoryNote(const TomlKeys& read)
{
    static const std::set<std::string> factoryGroups =
        writtenGroups(encodeSetupFile(factorySetup()));
    std::set<std::string> counted;
    std::vector<std::pair<std::string, int>> byTable;  // in text order
    int count = 0;
    for (const Field& f : setupFields()) {
        const bool leftOut =
            f.optional ? factoryGroups.count(f.group) && !read.elements.count(f.group) &&
                             counted.insert(f.group).second
                       : !read.keys.count(f.path);
        if (!leftOut) continue;
        const std::string table = f.path.substr(0, f.path.find('.'));
        if (byTable.empty() || byTable.back().first != table) byTable.emplace_back(table, 0);
        ++byTable.back().second;
        ++count;
    }
    if (count == 0) return {};
    std::string note = std::to_string(count) + (count == 1 ? " setting" : " settings") +
                       " took factory values:";
    for (const auto& [table, n] : byTable)
        note += (note.back() == ':' ? " " : ", ") + table + " (" + std::to_string(n) + ")";
    return note;
}

// Every key and [[table]] element names something of the setup.
std::string checkNames(const TomlKeys& read)
{
    static const auto known = [] {
        std::set<std::string> names;
        for (const Field& f : setupFields()) {
            names.insert({f.path, f.path + std::string(kOverSuffix)});
            for (auto dot = f.path.find('.'); dot != std::string::npos;
                 dot = f.path.find('.', dot + 1))
                names.insert(f.path.substr(0, dot));
        }
        return names;
    }();
    for (const std::string& key : read.order)
        if (!key.starts_with("bytes.") && !known.count(key))
            return at(read.keys.at(key), key, "no key of that name");
    for (const auto& [element, line] : read.elements)
        if (!known.count(element)) return std::to_string(line) + ": " + element + ": no such element";
    return {};
}

std::string storeCheckBytes(Setup& setup, const Located& v)
{
    const Field f{std::string(kCheckKey), "", {kCheckPlace}};
    std::vector<std::uint8_t> bytes;
    std::string error = v.hex || v.raw ? rawBytes(f, v, bytes) : "expected { hex = \"...\" }";
    if (error.empty()) putBytes(setup, {kCheckPlace}, bytes);
    return error;
}

std::string storeRun(Setup& setup, const std::string& key, const Located& v)
{
    for (const Place& run : uncoveredRuns()) {
        if (runKey(run) != key) continue;
        Field f{key, "", {run}};
        std::vector<std::uint8_t> bytes;
        std::string error =
            v.hex ? rawBytes(f, v, bytes) : std::string("expected { hex = \"...\" }");
        if (error.empty()) putBytes(setup, {run}, bytes);
        return error;
    }
    return "no key of that name";
}

}  // namespace

ImportResult importSetupText(std::string_view text)
{
    ImportResult result{factorySetup(), {}, {}};
    auto refuse = [&result](std::string error) {
        result.error = std::move(error);
        return result;
    };
    // No text holds a zero byte; a setup file given in its place does.
    if (text.find('\0') != std::string_view::npos)
        return refuse("this is no setup text: it holds zero bytes (a setup file?)");
    if (!endsWithMarker(text)) return refuse("the text ends before its end marker; was it cut off?");
    TomlKeys read;
    if (auto error = readTomlKeys(text, read); !error.empty()) return refuse(error);
    auto& keys = read.keys;
    if (auto error = checkNames(read); !error.empty()) return refuse(error);
    if (keys.empty() && read.elements.empty()) return refuse("the text holds no settings");

    for (const std::string& key : read.order)
        if (key.starts_with("bytes.") && key != kCheckKey)
            if (auto error = storeRun(result.setup, key, keys[key]); !error.empty())
                return refuse(at(keys[key], key, error));
    unprogramGroups(result.setup, read.elements);
    for (const Field& f : setupFields()) {
        const std::string overPath = f.path + std::string(kOverSuffix);
        const auto it = keys.find(f.path);
        if (const auto over = keys.find(overPath); over != keys.end()) {
            if (it == keys.end())
                return refuse(at(over->second, overPath, overPath + " without " + f.path));
            if (auto error = storeOver(result.setup, f, over->second); !error.empty())
                return refuse(at(over->second, overPath, error));
        }
        if (it == keys.end()) continue;
        if (auto refusal = storeValue(result.setup, f, it->second); refusal.refused())
            return refuse(at(it->second, f.path, refusal));
    }
    if (auto note = factoryNote(read); !note.empty()) result.notes.push_back(note);
    if (const auto check = keys.find(std::string(kCheckKey)); check != keys.end()) {
        if (auto error = storeCheckBytes(result.setup, check->second); !error.empty())
            return refuse(at(check->second, check->first, error));
        result.notes.push_back(std::string("the check bytes are written as the text gives them (") +
                               (VerifyCheckBytes(result.setup.image) ? "they verify)"
                                                                     : "they do not verify)"));
    } else {
        StoreCheckBytes(result.setup.image);
    }
    return result;
}

// --- differences -------------------------------------------------------------

namespace {

// A text as a terminal can show it: bare, or quoted with its escapes when it is
// empty or holds a control character other than TAB.
std::string visible(const std::string& text)
{
    const bool bare = !text.empty() && std::ranges::none_of(text, [](char c) {
        return (static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7F;
    });
    return bare ? latin1ToUtf8(text) : tomlValue(Value{text});
}

std::string shownText(const Field& f, const Entry& e)
{
    if (e.form == Entry::RawBytes) return rawText(f, e.bytes);
    if (const auto* t = std::get_if<std::string>(&e.value)) return visible(*t);
    if (const auto* b = std::get_if<bool>(&e.value)) return *b ? "true" : "false";
    if (const auto* l = std::get_if<Lines>(&e.value)) return std::to_string(l->size()) + " lines";
    return std::to_string(std::get<std::int64_t>(e.value));
}

// What two entries are compared by: the value, or the raw bytes.
std::string comparable(const Field& f, const Entry& e)
{
    return e.form == Entry::RawBytes ? rawText(f, e.bytes) : tomlValue(e.value);
}

// A row for each line of `a` and `b` outside their longest common subsequence, in order.
void lineDiff(const std::string& setting, const Lines& a, const Lines& b,
              std::vector<DiffRow>& out)
{
    std::vector<std::vector<int>> common(a.size() + 1, std::vector<int>(b.size() + 1, 0));
    for (std::size_t i = a.size(); i-- > 0;)
        for (std::size_t j = b.size(); j-- > 0;)
            common[i][j] = a[i] == b[j] ? common[i + 1][j + 1] + 1
                                        : std::max(common[i + 1][j], common[i][j + 1]);
    std::size_t i = 0, j = 0;
    while (i < a.size() || j < b.size()) {
        if (i < a.size() && j < b.size() && a[i] == b[j]) ++i, ++j;
        else if (i < a.size() && (j == b.size() || common[i + 1][j] >= common[i][j + 1]))
            out.push_back({setting, visible(a[i++]), "", DiffRow::LineOut});
        else out.push_back({setting, "", visible(b[j++]), DiffRow::LineIn});
    }
}

// "0x12 0x34": bytes as a changed byte shows them.
std::string byteText(std::span<const std::uint8_t> bytes)
{
    std::string text;
    for (const std::uint8_t b : bytes) text += (text.empty() ? "0x" : " 0x") + hexText({&b, 1});
    return text;
}

// A row for each run of changed bytes of `places` ("bytes.at_1800: 0x12 -> 0x13"), at
// most 4 bytes a row, named by `name` and the file offset of the run's first byte.
void byteDiff(const std::string& name, const std::vector<Place>& places, const SetupFileBytes& a,
              const SetupFileBytes& b, std::vector<DiffRow>& out)
{
    constexpr std::size_t kMostInARow = 4;
    for (const Place& p : places)
        for (std::size_t at = p.offset, end = p.offset + p.size; at < end;) {
            if (a[at] == b[at]) {
                ++at;
                continue;
            }
            std::size_t n = 0;
            while (at + n < end && n < kMostInARow && a[at + n] != b[at + n]) ++n;
            out.push_back({name + ".at_" + std::to_string(at), byteText({a.data() + at, n}),
                           byteText({b.data() + at, n})});
            at += n;
        }
}

std::string checkBytesText(const Setup& s)
{
    return VerifyCheckBytes(s.image)
               ? std::string("verify")
               : "do not verify (" + hexText(std::span(s.image).subspan(image::kCheckBytes, 2)) + ")";
}

// Raw bytes longer than this are compared byte by byte, never shown whole.
constexpr std::size_t kShortRaw = 8;

void fieldDiff(const Field& f, const Entry& x, const Entry& y, const SetupFileBytes& a,
               const SetupFileBytes& b, std::vector<DiffRow>& out)
{
    const auto* lx = std::get_if<Lines>(&x.value);
    const auto* ly = std::get_if<Lines>(&y.value);
    const bool raw = x.form == Entry::RawBytes || y.form == Entry::RawBytes;
    if (comparable(f, x) == comparable(f, y) || (raw && sizeOf(f.places) > kShortRaw)) {
        // The same value over other kept bytes, or long raw bytes.
        byteDiff(f.path, f.places, a, b, out);
    } else if (lx && ly && x.form != Entry::RawBytes && y.form != Entry::RawBytes) {
        lineDiff(f.path, *lx, *ly, out);
    } else {
        out.push_back({f.path, shownText(f, x), shownText(f, y)});
    }
}

}  // namespace

std::vector<DiffRow> diffSetups(const Setup& a, const Setup& b)
{
    std::vector<DiffRow> out;
    const Fields& fields = setupFields();
    const auto ea = plan(a, true).entries;
    const auto eb = plan(b, true).entries;
    const SetupFileBytes wa = encodeSetupFile(a);
    const SetupFileBytes wb = encodeSetupFile(b);
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (placeBytes(wa, fields[i].places) != placeBytes(wb, fields[i].places) ||
            comparable(fields[i], ea[i]) != comparable(fields[i], eb[i])) {
            const std::size_t first = out.size();
            fieldDiff(fields[i], ea[i], eb[i], wa, wb, out);
            for (std::size_t r = first; r < out.size(); ++r) out[r].calibration = fields[i].calibration;
        }
    byteDiff("bytes", uncoveredRuns(), wa, wb, out);
    if (const auto x = checkBytesText(a), y = checkBytesText(b);
        x != y && (x != "verify" || y != "verify"))
        out.push_back({"check bytes", x, y});
    return out;
}

std::vector<std::string> diffText(const std::vector<DiffRow>& rows)
{
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const DiffRow& r = rows[i];
        if (r.kind == DiffRow::Value) {
            lines.push_back(r.setting + ": " + r.before + " -> " + r.after);
            continue;
        }
        if (i == 0 || rows[i - 1].kind == DiffRow::Value || rows[i - 1].setting != r.setting)
            lines.push_back(r.setting + ":");
        lines.push_back(r.kind == DiffRow::LineOut ? "  - " + r.before : "  + " + r.after);
    }
    return lines;
}

}  // namespace quelvar::text
