#pragma once
// The two branches of an image open. Each returns true when an image was read and taken; a
// cancelled or refused open changes nothing.
bool OpenOriginalImage();
bool OpenComplementaryImage();
// The branch the standing complementary request selects.
bool OpenRequestedImage();
