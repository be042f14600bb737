#pragma once

#include "kit.h"

#include <vector>

namespace pg {

// How a picture is stored under its .dat name. Gif pictures leave the tool as PNG and are
// converted by regenerate.sh, since Qt has no GIF writer.
enum class Format { Bmp8, Bmp24, Png, Jpeg, Gif };

using Painter = void (*)(QPainter &, Canvas &);

struct Picture {
    const char *name;
    int width;
    int height;
    Format format;
    Painter paint;
};

void addScenes(std::vector<Picture> &out);   // ttl, girl, dmy and the event scenes
void addPhotos(std::vector<Picture> &out);   // ordinary photos 00 to 30
void addSpecials(std::vector<Picture> &out); // photos of the girl, t00 to t15

} // namespace pg
