#pragma once
// Display names of the shape numbers of debrief objects. Names are not
// unique; several numbers share one.
#include <cstddef>
#include <string>
#include <string_view>

inline constexpr std::size_t kShapeCount = 363;

// Indexed by shape number 0 to kShapeCount - 1.
extern const char* const ShapeNames[];

// The name of a shape, or "Shape <n>" for a number outside the table.
std::string ShapeName(unsigned nShape);
// The name of a shape below kShapeCount, without a copy.
std::string_view TableShapeName(unsigned nShape);
// Appends ShapeName(nShape) to the text.
void AppendShapeName(std::string& strText, unsigned nShape);
