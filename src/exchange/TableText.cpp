#include "exchange/TableText.h"

#include "exchange/TableCsv.h"
#include "exchange/TableJson.h"

#include <algorithm>
#include <cctype>

namespace quilby {

std::string TableTextError::message() const {
    using P = Problem;
    std::string text;
    switch (problem) {
    case P::NotTableText:
        text = "neither a JSON table (an object with \"format\": \"" +
               std::string(kTableJsonFormat) + "\") nor a CSV table (the header " +
               std::string(kTableCsvHeader) + ")";
        break;
    case P::JsonSyntax:
    case P::CsvSyntax:
        text = detail;
        break;
    case P::NotThisFormat:
        text = "must be \"" + std::string(kTableJsonFormat) + "\"";
        break;
    case P::UnknownVersion:
        text = "version " + detail + " is not known (this program reads version " +
               std::to_string(kTableJsonVersion) + ")";
        break;
    case P::MissingField:
        text = "missing";
        break;
    case P::WrongType:
        text = "must be " + detail;
        break;
    case P::UnknownField:
        text = "is not a member of this form";
        break;
    case P::WrongItemCount:
        text = "must hold " + std::to_string(limit) + " items, not " + std::to_string(number);
        break;
    case P::OutOfRange:
        text = "must be a whole number from 0 to " + std::to_string(limit);
        break;
    case P::PositionTwice:
        text = "position " + keyPositionName(static_cast<int>(number)) + " is given twice" +
               (limit > 0 ? " (first on line " + std::to_string(limit) + ")" : "");
        break;
    case P::LabelNoCp949:
        text = "the label has a character code page 949 lacks";
        break;
    case P::LabelTooLong:
        text = "the label has " + std::to_string(number) + " bytes in code page 949, more than 15";
        break;
    case P::LabelControlChars:
        text = "the label holds control characters";
        break;
    case P::CsvHeader:
        text = "the first line must be " + std::string(kTableCsvHeader);
        break;
    case P::CsvColumns:
        text =
            "a row has " + std::to_string(number) + " columns, not " + std::string(kTableCsvHeader);
        break;
    case P::BadPosition:
        text = "must be a position number from 0 to 97";
        break;
    case P::UnknownKeyName:
        text = "unknown key name";
        break;
    case P::BadRawEntry:
        text = detail;
        break;
    case P::SpareNotRaw:
        text = "spare slots hold raw entries (#CODE:WORD:LABEL) only";
        break;
    case P::TooManySpare:
        text = "more spare slots than the 20 a position has";
        break;
    case P::PositionFull:
        text = "the position is full (20 entries)";
        break;
    case P::KeyRefused:
        text = "the key editor refuses it (it beeps)";
        break;
    case P::EscCloses:
        text = "Esc closes the key editor";
        break;
    case P::MovesPosition:
        text = "it moves the key editor to another position";
        break;
    case P::ModifierLeftPending:
        text = "the keys end with a modifier still waiting for its key";
        break;
    case P::RawWhileModifier:
        text = "a modifier is still waiting for its key";
        break;
    }
    if (!word.empty()) {
        text = "'" + word + "': " + text;
    }
    std::string where = line > 0 ? "line " + std::to_string(line) : std::string();
    if (!field.empty()) {
        where += (where.empty() ? "" : ", ") + std::string(csv ? "column " : "") + field;
    }
    return where.empty() ? text : where + ": " + text;
}

TableTextError::Problem labelRuleProblem(KeyFileFinding::Kind broken) {
    switch (broken) {
    case KeyFileFinding::Kind::LabelTooLong:
        return TableTextError::Problem::LabelTooLong;
    case KeyFileFinding::Kind::LabelControlBytes:
        return TableTextError::Problem::LabelControlChars;
    default:
        return TableTextError::Problem::LabelNoCp949;
    }
}

std::optional<TableTextFormat> tableTextFormatOf(std::string_view path) {
    const std::size_t dot = path.find_last_of("./");
    if (dot == std::string_view::npos || path[dot] != '.') {
        return std::nullopt;
    }
    std::string extension(path.substr(dot + 1));
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == "json") {
        return TableTextFormat::Json;
    }
    if (extension == "csv") {
        return TableTextFormat::Csv;
    }
    return std::nullopt;
}

std::string exportTableText(const KeyTableData& table, TableTextFormat format) {
    if (format == TableTextFormat::Csv) {
        return writeTableCsv(table);
    }
    return tableExportJson(table);
}

std::variant<KeyTableData, TableTextError> importTableText(std::string_view text) {
    std::string_view body = text;
    if (body.starts_with("\xEF\xBB\xBF")) {
        body.remove_prefix(3);
    }
    const std::size_t first = body.find_first_not_of(" \t\r\n");
    if (first != std::string_view::npos && body[first] == '{') {
        return readTableJson(body);
    }
    const std::string_view firstLine = body.substr(0, body.find_first_of("\r\n"));
    // A spreadsheet may quote the header's names; the CSV reader judges it.
    if (firstLine.starts_with("position") || firstLine.starts_with("\"position\"")) {
        return readTableCsv(body);
    }
    TableTextError error;
    error.line = 1;
    return error;
}

} // namespace quilby
