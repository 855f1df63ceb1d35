#include "panel/artwork.h"

#include "panel/artwork_drawing.h"
#include "panel/artwork_kept.h"

#include <array>

namespace artwork {
namespace {

template <typename Draw>
QPixmap keptOrDrawn(const kept::Picture& picture, Draw draw)
{
    const std::optional<QImage> image = kept::find(picture);
    return QPixmap::fromImage(image ? *image : draw());
}

} // namespace

// Each picture is made once, on first use, and never freed: no pixmap may outlive the
// application object.

QPixmap background()
{
    static const QPixmap* const picture = new QPixmap(keptOrDrawn(kept::background(), drawing::background));
    return *picture;
}

QPixmap keyFace(KeyFace face)
{
    static const auto* const faces = [] {
        auto* all = new std::array<QPixmap, 16>;
        for (size_t i = 0; i < all->size(); ++i) {
            const auto face = static_cast<KeyFace>(i);
            (*all)[i] = keptOrDrawn(kept::keyFace(face), [face] { return drawing::keyFace(face); });
        }
        return all;
    }();
    return faces->at(static_cast<size_t>(face));
}

QIcon windowIcon()
{
    static const QIcon* const icon = [] {
        auto* made = new QIcon;
        for (const int size : drawing::kIconSizes)
            made->addPixmap(keptOrDrawn(kept::icon(size), [size] { return drawing::icon(size); }));
        return made;
    }();
    return *icon;
}

} // namespace artwork
