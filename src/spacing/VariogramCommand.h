#pragma once
// "Variogram" of a spacing datasheet: asks for the window width and the
// number of lags, counts the discontinuities per window along the scanline
// and draws their semivariogram in a new chart window.

namespace ravelin {

class SpacingForm;

void Vario_Click(SpacingForm& sheet);

}  // namespace ravelin
