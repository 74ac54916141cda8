#pragma once

namespace baudrill {

// Where a layout item sits along one axis of its parent, in layout units: fixed to the
// leading edge (left or top) with a size, fixed to the trailing edge (right or bottom)
// with a size, or fixed to both edges so that it stretches with the parent.
struct AxisAnchor {
    enum class Kind : unsigned char { LeadSize, TrailSize, LeadTrail };
    Kind kind;
    int a;  // distance from the leading edge (LeadSize, LeadTrail) or the trailing edge (TrailSize)
    int b;  // size (LeadSize, TrailSize) or distance from the trailing edge (LeadTrail)

    friend bool operator==(const AxisAnchor&, const AxisAnchor&) = default;
};

// The notation of the layout tables: L a W b, R a W b, L a R b; T a H b, B a H b, T a B b.
constexpr AxisAnchor LW(int a, int b) { return {AxisAnchor::Kind::LeadSize, a, b}; }
constexpr AxisAnchor RW(int a, int b) { return {AxisAnchor::Kind::TrailSize, a, b}; }
constexpr AxisAnchor LR(int a, int b) { return {AxisAnchor::Kind::LeadTrail, a, b}; }
constexpr AxisAnchor TH(int a, int b) { return {AxisAnchor::Kind::LeadSize, a, b}; }
constexpr AxisAnchor BH(int a, int b) { return {AxisAnchor::Kind::TrailSize, a, b}; }
constexpr AxisAnchor TB(int a, int b) { return {AxisAnchor::Kind::LeadTrail, a, b}; }

// A placed stretch of one axis in pixels: its start and its length.
struct Span {
    int pos = 0;
    int size = 0;
    friend bool operator==(const Span&, const Span&) = default;
};

// Layout units to pixels at a zoom factor, rounded to the nearest pixel.
int zoomed(int units, double zoom);

// Places an anchored item inside a parent extent of `extent` pixels. Distances and sizes
// are zoomed first, then combined, so that items anchored to the same edge keep the same
// gap whatever the parent's size. A stretching item never gets a negative size.
Span placeSpan(AxisAnchor anchor, double zoom, int extent);

}  // namespace baudrill
