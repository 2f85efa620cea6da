#pragma once

#include <emscripten/val.h>

#include <exception>
#include <string>

#include "text_files/tube_setup.h"
#include "tube_model/tables.h"

namespace web {

// The tables built into the module: MUs3.dat, Mo-STP.dat and Materials.dat.
const tube_model::Tables& tables();

// The set-up of a JavaScript object {target: "mo" | "w", tube_voltage: 28, target_angle: 22,
// ..., added_filters: [{material: "ag", thickness: 0.05}], plate: {material: "pmma",
// thickness: 2.4}}: the names of the set-up's table of fields and its added layers; a
// missing field keeps the spectrum form's start value, missing layers are none.
palvane::TubeSetup setupOf(const emscripten::val& object);

// What every call of the module returns: the object `compute` makes with ok: true, or
// {ok: false, error: "<the message>"} for the exception it throws.
template <typename Compute>
emscripten::val guarded(Compute compute) {
  try {
    emscripten::val out = compute();
    out.set("ok", true);
    return out;
  } catch (const std::exception& error) {
    emscripten::val out = emscripten::val::object();
    out.set("ok", false);
    out.set("error", std::string(error.what()));
    return out;
  }
}

}  // namespace web
