#pragma once

#include <string>
#include <string_view>
#include <vector>

// Comma-separated values as spreadsheets read them: fields joined by commas, one record per
// line ended by a line feed, UTF-8 text passed through unchanged. Numbers always use a full
// stop as decimal point, whatever the locale of the process.
namespace csv {

// The field as it must stand in a record: quoted, with inner quotes doubled, when it holds a
// comma, a quote, a line break or a blank at either end; otherwise unchanged.
std::string field(std::string_view text);

// The shortest decimal text that reads back as the same double ("0.1", "30", "1.5e-07");
// an empty field for infinity or not-a-number, so that no such word reaches a table.
std::string number(double value);

// One record: the fields quoted as needed, joined by commas, ended by a line feed.
std::string record(const std::vector<std::string>& fields);

}  // namespace csv
