// Colour reduction for GIF files: an image of at most 256 colours keeps
// them exactly; a richer one keeps its most used colours (counted in 5-bit
// channels, each the mean of its pixels) and maps the rest to the nearest.
#include "gif_palette.h"

#include <stdlib.h>
#include <string.h>

namespace {

const int kBuckets = 1 << 15;
const int kSlots = 1024; // of the exact colour table, a power of two

inline DWORD ColourAt(const VicImage* image, int x, int y) {
    const BYTE* p = image->pixels + (size_t)y * (size_t)image->stride + (size_t)x * 3;
    return (DWORD)p[0] | ((DWORD)p[1] << 8) | ((DWORD)p[2] << 16);
}

inline int BucketOf(DWORD bgr) {
    return (int)(((bgr >> 3) & 0x1F) | (((bgr >> 11) & 0x1F) << 5) | (((bgr >> 19) & 0x1F) << 10));
}

RGBQUAD Quad(DWORD bgr) {
    return {(BYTE)bgr, (BYTE)(bgr >> 8), (BYTE)(bgr >> 16), 0};
}

// The image's colours when there are at most 256 of them; false otherwise.
bool IndexExactly(const VicImage* image, IndexedImage* out) {
    DWORD keys[kSlots];
    int values[kSlots];
    memset(values, -1, sizeof values);
    out->colours = 0;
    for (int y = 0; y < image->height; ++y)
        for (int x = 0; x < image->width; ++x) {
            DWORD c = ColourAt(image, x, y);
            DWORD slot = (c * 2654435761u) >> 22;
            while (values[slot] >= 0 && keys[slot] != c)
                slot = (slot + 1) & (kSlots - 1);
            if (values[slot] < 0) {
                if (out->colours == 256)
                    return false;
                keys[slot] = c;
                values[slot] = out->colours;
                out->palette[out->colours++] = Quad(c);
            }
            out->indices[(size_t)y * (size_t)image->width + (size_t)x] = (BYTE)values[slot];
        }
    return true;
}

struct Bucket {
    DWORD count;
    double blue, green, red;
};

int Nearest(const IndexedImage* out, double b, double g, double r) {
    int best = 0;
    double bestDistance = 1e30;
    for (int i = 0; i < out->colours; ++i) {
        double db = out->palette[i].rgbBlue - b, dg = out->palette[i].rgbGreen - g,
               dr = out->palette[i].rgbRed - r;
        double distance = 2 * dr * dr + 4 * dg * dg + 3 * db * db;
        if (distance < bestDistance)
            bestDistance = distance, best = i;
    }
    return best;
}

int ByCountDown(const void* a, const void* b) {
    DWORD ca = ((const Bucket*)a)->count, cb = ((const Bucket*)b)->count;
    return ca < cb ? 1 : ca > cb ? -1 : 0;
}

bool IndexByPopularity(const VicImage* image, IndexedImage* out) {
    Bucket* buckets = (Bucket*)calloc(kBuckets, sizeof(Bucket));
    Bucket* ranked = (Bucket*)malloc(kBuckets * sizeof(Bucket));
    short* map = (short*)malloc(kBuckets * sizeof(short));
    bool ok = buckets && ranked && map;
    for (int y = 0; ok && y < image->height; ++y)
        for (int x = 0; x < image->width; ++x) {
            DWORD c = ColourAt(image, x, y);
            Bucket& b = buckets[BucketOf(c)];
            ++b.count;
            b.blue += c & 0xFF, b.green += (c >> 8) & 0xFF, b.red += (c >> 16) & 0xFF;
        }
    if (ok) {
        memcpy(ranked, buckets, kBuckets * sizeof(Bucket));
        qsort(ranked, kBuckets, sizeof(Bucket), ByCountDown);
        out->colours = 0;
        for (int i = 0; i < 256 && ranked[i].count; ++i, ++out->colours) {
            double n = ranked[i].count;
            out->palette[i] = {(BYTE)(ranked[i].blue / n + 0.5), (BYTE)(ranked[i].green / n + 0.5),
                               (BYTE)(ranked[i].red / n + 0.5), 0};
        }
        for (int i = 0; i < kBuckets; ++i) {
            double n = buckets[i].count;
            map[i] = (short)(n ? Nearest(out, buckets[i].blue / n, buckets[i].green / n,
                                         buckets[i].red / n)
                               : 0);
        }
        for (int y = 0; y < image->height; ++y)
            for (int x = 0; x < image->width; ++x)
                out->indices[(size_t)y * (size_t)image->width + (size_t)x] =
                    (BYTE)map[BucketOf(ColourAt(image, x, y))];
    }
    free(buckets);
    free(ranked);
    free(map);
    return ok;
}

} // namespace

int IndexImage(const VicImage* image, IndexedImage* out) {
    memset(out, 0, sizeof *out);
    out->indices = (BYTE*)malloc((size_t)image->width * (size_t)image->height);
    if (!out->indices)
        return VIC_ERR_MEMORY;
    if (image->bits == 8) {
        for (int y = 0; y < image->height; ++y)
            memcpy(out->indices + (size_t)y * (size_t)image->width,
                   image->pixels + (size_t)y * (size_t)image->stride, (size_t)image->width);
        memcpy(out->palette, image->palette, sizeof out->palette);
        out->colours = image->colours > 0 && image->colours <= 256 ? image->colours : 256;
        return VIC_OK;
    }
    if (IndexExactly(image, out) || IndexByPopularity(image, out))
        return VIC_OK;
    FreeIndexed(out);
    return VIC_ERR_MEMORY;
}

void FreeIndexed(IndexedImage* image) {
    free(image->indices);
    image->indices = NULL;
}
