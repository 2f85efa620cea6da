#pragma once

#include <cstdint>
#include <string>

namespace palvane {

// A colour as red, green and blue, 0..255 each.
struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

namespace colours {
inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kGrey{128, 128, 128};
inline constexpr Rgb kRed{255, 0, 0};
// Colours of the classic 16-colour palette used by the drawings.
inline constexpr Rgb kDarkGrey{128, 128, 128};  // palette 8
inline constexpr Rgb kLightBlue{0, 0, 255};     // palette 9
inline constexpr Rgb kLightRed{255, 0, 0};      // palette 12
inline constexpr Rgb kYellow{255, 255, 0};      // palette 14
}  // namespace colours

// A drawing surface with a persistent picture and a user scale: what the computations
// and the graph routines draw on. The forms' picture boxes implement it; tests record
// the calls. Coordinates are in the surface's user units.
class DrawingSurface {
 public:
  virtual ~DrawingSurface() = default;
  virtual void clear() = 0;
  virtual void setPenWidth(int width) = 0;
  virtual void setForeColour(Rgb colour) = 0;
  virtual Rgb foreColour() const = 0;
  // A single point; it also becomes the current point.
  virtual void point(double x, double y, Rgb colour) = 0;
  // A line between two points; (x2, y2) becomes the current point.
  virtual void line(double x1, double y1, double x2, double y2, Rgb colour) = 0;
  // A line from the current point to (x, y), which becomes the current point.
  virtual void lineTo(double x, double y, Rgb colour) = 0;
  virtual void rectangle(double x1, double y1, double x2, double y2, Rgb colour, bool filled) = 0;
  // Text with its top-left corner at (x, y), in the fore colour.
  virtual void text(double x, double y, const std::string& utf8Text) = 0;
};

// The parameter boxes of the spectrum form, read as text each time a computation runs.
class ParameterTexts {
 public:
  virtual ~ParameterTexts() = default;
  virtual std::string tubeVoltage() const = 0;               // Text1, kV
  virtual std::string targetAngle() const = 0;               // Text5, degrees
  virtual std::string tiltAngle() const = 0;                 // Text3, degrees
  virtual std::string beryllium() const = 0;                 // Text8, mm
  virtual std::string aluminium() const = 0;                 // Text2, mm
  virtual std::string molybdenum() const = 0;                // Combo1, mm
  virtual std::string rhodium() const = 0;                   // Combo2, mm
  virtual void setTubeVoltage(const std::string& text) = 0;  // the tungsten voltage clamp
  // The added row beside the specified boxes: an added filter and the compression plate,
  // each a material key of Materials.dat ("" for none) and a thickness in mm.
  virtual std::string addedFilterMaterial() const { return {}; }
  virtual std::string addedFilter() const { return {}; }
  virtual std::string plateMaterial() const { return {}; }
  virtual std::string plate() const { return {}; }
};

// Where the point-spectrum routines read their parameters and draw: set up by the forms
// when they are created. Null until then.
struct FormPorts {
  ParameterTexts* parameters = nullptr;
  DrawingSurface* spectrumFormGraph = nullptr;  // Form2.Picture3
  DrawingSurface* displayFormGraph = nullptr;   // Form1.Picture3
  // The colour of the next point spectrum on Form1.Picture3: light blue unless the form
  // tells several points apart.
  Rgb pointSpectrumColour = colours::kLightBlue;
};

}  // namespace palvane
