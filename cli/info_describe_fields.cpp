#include "cli/info_describe_fields.h"

#include "cli/number_text.h"

#include <algorithm>
#include <string>

namespace moniquet {

namespace {

bool IsContainer(const Field& f) {
    return f.kind == FieldKind::Object || f.kind == FieldKind::List;
}

bool AllValues(const Fields& fields) {
    return std::none_of(fields.begin(), fields.end(), IsContainer);
}

void JsonField(InfoOutput& out, const Field& f) {
    switch (f.kind) {
    case FieldKind::Null:
        Null(out, f.key, "");
        break;
    case FieldKind::Bool:
        Bool(out, f.key, "", f.flag);
        break;
    case FieldKind::Unsigned:
        Unsigned(out, f.key, "", f.number);
        break;
    case FieldKind::Signed:
        Signed(out, f.key, "", f.signedNumber);
        break;
    case FieldKind::Fixed:
        Fixed(out, f.key, "", f.real, f.decimals, f.decimals);
        break;
    case FieldKind::Name:
        Name(out, f.key, "", f.name);
        break;
    case FieldKind::Text:
        EdidText(out, f.key, "", f.text);
        break;
    case FieldKind::Object:
    case FieldKind::List:
        if (f.kind == FieldKind::Object) {
            BeginObject(out, f.key, "", JsonLayout::Inline, TextShow::Hidden);
        } else {
            BeginArray(out, f.key, "", JsonLayout::Inline, TextShow::Hidden);
        }
        for (const Field& item : f.items) {
            JsonField(out, item);
        }
        End(out);
        break;
    }
}

// `f` on one line; `shown` is the label the line already shows, which the
// first value of an object under it does not repeat ("VIC : 16, Native: no").
std::string ValueText(const Field& f, std::string_view shown = {}) {
    std::string text;
    switch (f.kind) {
    case FieldKind::Null:
        return "-";
    case FieldKind::Bool:
        return f.flag ? "yes" : "no";
    case FieldKind::Unsigned:
        AppendUnsigned(text, f.number);
        break;
    case FieldKind::Signed:
        text = SignedText(f.signedNumber);
        break;
    case FieldKind::Fixed:
        AppendFixed(text, f.real, f.decimals);
        break;
    case FieldKind::Name:
        return f.name;
    case FieldKind::Text:
        return ShownText(f.text);
    case FieldKind::Object:
    case FieldKind::List: {
        const bool pairs = f.kind == FieldKind::Object;
        for (const Field& item : f.items) {
            if (!text.empty()) {
                text += ", ";
            }
            if (pairs && !(text.empty() && &item == &f.items.front() && item.label == shown)) {
                text += item.label;
                text += ": ";
            }
            text += ValueText(item);
        }
        return text.empty() ? "-" : text;
    }
    }
    text += f.unit;
    return text;
}

void TextField(InfoOutput& out, const Field& f, std::string_view label, std::size_t depth) {
    const std::string indented = std::string(2 * depth, ' ') + std::string(label);
    if (!IsContainer(f) || AllValues(f.items)) {
        TextLine(out, indented, ValueText(f, label));
        return;
    }
    if (f.kind == FieldKind::Object) {
        TextLine(out, indented, "");
        for (const Field& item : f.items) {
            TextField(out, item, item.label, depth + 1);
        }
        return;
    }
    if (f.items.empty()) {
        TextLine(out, indented, "-");
    }
    for (const Field& item : f.items) {
        // Items have no labels of their own: each takes its list's.
        TextField(out, item, label, depth);
    }
}

} // namespace

void JsonFields(InfoOutput& out, std::string_view key, const std::optional<Fields>& fields) {
    if (out.json == nullptr) {
        return;
    }
    if (!fields) {
        Null(out, key, "");
        return;
    }
    BeginObject(out, key, "", JsonLayout::Inline, TextShow::Hidden);
    for (const Field& f : *fields) {
        JsonField(out, f);
    }
    End(out);
}

void TextFieldLines(InfoOutput& out, const std::optional<Fields>& fields) {
    if (!IsText(out) || !fields) {
        return;
    }
    for (const Field& f : *fields) {
        TextField(out, f, f.label, 1);
    }
}

} // namespace moniquet
