#pragma once

// The stated sensitivity of station metadata is marked on its amplitude
// curve, in both styles, as a small ring of this radius (pixels, or layout
// units) in the curve's colour: where the curve passes through it, the
// stages agree with the stated sensitivity; where it does not, the mismatch
// shows. A ring, so that it is not taken for a lone point's cross.
constexpr int sensitivity_mark_radius = 5;
