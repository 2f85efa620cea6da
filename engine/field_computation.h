#pragma once

#include <functional>
#include <iosfwd>
#include <string_view>

#include "engine/beam_parameters.h"
#include "engine/bins.h"
#include "engine/coefficient_table.h"
#include "engine/point_quantities.h"
#include "engine/relative_maps.h"
#include "engine/target_model.h"

namespace engine {

inline constexpr std::string_view kReferenceWithoutPath =
    "leave the beam axis (X = 0) no path out of the target";
inline constexpr std::string_view kReferenceUndefined =
    "give a beam-axis spectrum with no defined air kerma or half-value layer";
inline constexpr std::string_view kColumnWithoutPath =
    "no path out of the target at the heel cut-off; column written as 0";
inline constexpr std::string_view kPointsUndefined =
    "field points without a defined air kerma or half-value layer written as 0";

// Called once, right after the reference point (0, 0) has been computed and checked,
// with its spectrum and quantities, before any other point is computed.
using ReferenceHandler = std::function<void(const Spectrum&, const PointQuantities&)>;

// Walks the field grid: every column X_j <= X_max (heel cut-off), every row Y_k, and
// returns the three maps relative to the reference point. Throws InputError before calling
// onReference when the reference point cannot be computed, naming the input at fault (the
// angles, a table column, or the settings; see undefinedReferenceError).
// Any other column without a path factor and any point without defined quantities stays 0
// in all three maps and is reported on `warnings`.
RelativeMaps computeField(TargetRun& run, const BeamParameters& parameters,
                          const CoefficientTable& table, const ReferenceHandler& onReference,
                          std::ostream& warnings);

}  // namespace engine
