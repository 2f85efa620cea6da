#include "engine/table_files.h"

#include <cmath>
#include <string>
#include <utility>

#include "engine/input_error.h"
#include "engine/input_text.h"
#include "engine/message_number.h"
#include "engine/numeric_field.h"

namespace engine {

namespace {

// The fields of one record, read in turn; a field that cannot be read becomes an
// InputError naming the file, the line and the field.
class RecordFields {
 public:
  RecordFields(std::string_view record, const std::string& fileName, int lineNumber)
      : record_(record), fileName_(fileName), lineNumber_(lineNumber) {}

  float next(int width, int impliedDecimals) {
    ++field_;
    try {
      return readFixedWidthReal(record_, position_, width, impliedDecimals);
    } catch (const FieldError& error) {
      fail(error.what());
    }
  }

  // Reports a value of the field last read that the tables cannot hold.
  [[noreturn]] void fail(std::string_view what) const {
    throw InputError(describeInputError(fileName_, lineNumber_, field_, std::string(what)));
  }

 private:
  std::string_view record_;
  std::size_t position_ = 0;
  const std::string& fileName_;
  int lineNumber_;
  int field_ = 0;
};

// Hands out the first `needed` records of an input file.
class TableRecords {
 public:
  TableRecords(std::string fileName, std::string contents, int needed)
      : fileName_(std::move(fileName)),
        contents_(std::move(contents)),
        records_(contents_),
        needed_(needed) {}
  TableRecords(const TableRecords&) = delete;  // records_ points into contents_
  TableRecords& operator=(const TableRecords&) = delete;

  RecordFields next() {
    std::string_view record;
    if (!records_.next(record)) {
      throw InputError(describeInputError(
          fileName_, 0, 0, describeShortfall(records_.lineNumber(), needed_, "line")));
    }
    return RecordFields(record, fileName_, records_.lineNumber());
  }

 private:
  std::string fileName_;
  std::string contents_;
  RecordReader records_;
  int needed_;
};

// (E9.3,9E13.5)
constexpr int kEnergyWidth = 9;
constexpr int kEnergyDecimals = 3;
constexpr int kCoefficientWidth = 13;
constexpr int kCoefficientDecimals = 5;

// (F4.1,E12.3)
constexpr int kElectronEnergyWidth = 4;
constexpr int kElectronEnergyDecimals = 1;
constexpr int kStoppingPowerWidth = 12;
constexpr int kStoppingPowerDecimals = 3;

// The energies of MUs3.dat are printed with three significant digits (.496E+02); the
// value read must be 0.2 * line keV to within half a unit of the last digit, so that a
// missing, doubled or swapped line is found instead of shifting every bin after it.
void checkLineEnergy(RecordFields& fields, int line) {
  const float energy = fields.next(kEnergyWidth, kEnergyDecimals);
  const double expected = 0.2 * line;  // keV, 0.2 ... 50
  // Half a unit of the third significant digit, from the decade of the value (no library
  // logarithm, so that every build reads the same lines as matching).
  const double halfUnit = expected < 1.0 ? 0.0005 : expected < 10.0 ? 0.005 : 0.05;
  if (std::fabs(energy - expected) <= halfUnit) return;
  fields.fail("photon energy " + messageNumber(energy) + " keV, but line " + std::to_string(line) +
              " is for " + messageNumber(static_cast<float>(expected)) + " keV" +
              std::string(kEnergyMustFollowLine));
}

}  // namespace

CoefficientTable readCoefficientTable(const std::filesystem::path& file) {
  return readCoefficientTableText(readInputFile(file), file.filename().string());
}

CoefficientTable readCoefficientTableText(std::string text, std::string fileName) {
  TableRecords records(std::move(fileName), std::move(text), kBinCount);
  CoefficientTable table;
  for (int bin = 1; bin <= kBinCount; ++bin) {
    RecordFields fields = records.next();
    const auto coefficient = [&fields] {
      const float value = fields.next(kCoefficientWidth, kCoefficientDecimals);
      if (value < 0.0f) fields.fail(kCoefficientNegative);
      return value;
    };
    checkLineEnergy(fields, bin);
    table.muMo[bin] = coefficient();
    table.muRh[bin] = coefficient();
    table.muAl[bin] = coefficient();
    table.muBe[bin] = coefficient();
    coefficient();  // column 6, used by no engine
    table.muAir[bin] = coefficient();
    table.muEnAir[bin] = coefficient();
    coefficient();  // column 9, used by no engine
    table.muW[bin] = coefficient();
  }
  return table;
}

StoppingPowerTable readStoppingPowerTable(const std::filesystem::path& file) {
  return readStoppingPowerTableText(readInputFile(file), file.filename().string());
}

StoppingPowerTable readStoppingPowerTableText(std::string text, std::string fileName) {
  TableRecords records(std::move(fileName), std::move(text), kStoppingPowerRows);
  StoppingPowerTable table;
  for (int row = 0; row < kStoppingPowerRows; ++row) {
    RecordFields fields = records.next();
    const float energy = fields.next(kElectronEnergyWidth, kElectronEnergyDecimals);
    if (!(energy > 0.0f) || (row > 0 && !(energy > table.energy[row - 1]))) {
      fields.fail(kEnergyMustAscend);
    }
    const float stoppingPower = fields.next(kStoppingPowerWidth, kStoppingPowerDecimals);
    if (!(stoppingPower > 0.0f)) fields.fail(kStoppingPowerMustBePositive);
    table.energy[row] = energy;
    table.stoppingPower[row] = stoppingPower;
  }
  return table;
}

}  // namespace engine
