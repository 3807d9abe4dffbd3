#pragma once

// The skin and the two display colours as SysSet.ini stores them: [SkinSet] Skin (0 plain
// style, 1 to 6 a skin file) and [WaveSet] WaveBackground and ScaleColor (0 to 2 each), what
// each value means, and the operations that apply a choice and store it.
//
// Stored values are read afresh on every call; a missing key reads "2". A value that is not
// a whole number counts as one with no meaning (nothing is applied or selected) and is
// reported in one line on standard error.

#include <QColor>
#include <QString>

#include <optional>

class SkinEngine;

namespace appearance {

constexpr int SkinCount = 6; // skin files 1 to 6; 0 is the plain style

// "SkinsFile/0N.ats" for N = 1 to 6, relative to the program's directory; empty otherwise.
QString SkinFileName(int skin);

// The colour of a "Background Color" or "Color scale" item; none outside 0 to 2.
std::optional<QColor> BackgroundColorOf(int index);
std::optional<QColor> ScaleColorOf(int index);

// The stored values; none when the stored text is not a whole number. A file that cannot be
// read counts as one without the key (2), with a line on standard error.
std::optional<int> StoredSkin();
std::optional<int> StoredBackground();
std::optional<int> StoredScale();

// Shows skin `skin` through `engine`: 0 switches skinning off, 1 to 6 load that skin file
// from the program's directory and switch skinning on; any other value changes nothing.
// False when nothing was changed (also when the file could not be loaded).
bool ApplySkin(SkinEngine &engine, int skin);

// Start-up: applies the stored skin.
void LoadStoredSkin(SkinEngine &engine);

// A choice of the skin window: applied first, then stored. Storing throws EInOutError when
// SysSet.ini cannot be written. Values outside the items' range do nothing.
void ChooseSkin(SkinEngine &engine, int skin);
// Set the chosen colour in `store` (the skin window passes the shared drawing colours), then
// store the choice; false (and nothing done) outside 0 to 2.
bool ChooseBackground(int index, QColor &store);
bool ChooseScale(int index, QColor &store);

} // namespace appearance
