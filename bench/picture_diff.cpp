// Compares two pictures of the same size (binary PPM): mean absolute difference
// over all channels, the largest difference, the share of pixels that differ,
// and SSIM of their luma (11 x 11 Gaussian window, sigma 1.5, the usual
// constants). With --crop it also writes the two crops side by side, enlarged,
// as a PPM; --crop-cube W H takes a crop of that size at the topmost pixel of A
// that differs from its top left one (the ground), where the cube's edges are.
//
//   picture_diff A.ppm B.ppm [--crop X Y W H | --crop-cube W H] [--scale N] [--out SIDE.ppm]

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

struct Picture {
  int width = 0, height = 0;
  std::vector<unsigned char> rgb;
};

bool read_ppm(const char* path, Picture& p) {
  std::FILE* f = std::fopen(path, "rb");
  if (f == nullptr) return false;
  int max = 0;
  const bool ok = std::fscanf(f, "P6 %d %d %d", &p.width, &p.height, &max) == 3 && max == 255 &&
                  p.width > 0 && p.height > 0 && std::fgetc(f) != EOF;
  if (ok) {
    p.rgb.resize(static_cast<std::size_t>(p.width) * p.height * 3);
    const bool full = std::fread(p.rgb.data(), 1, p.rgb.size(), f) == p.rgb.size();
    std::fclose(f);
    return full;
  }
  std::fclose(f);
  return false;
}

std::size_t pixels_of(const Picture& p) { return p.rgb.size() / 3; }

std::vector<double> luma(const Picture& p) {
  std::vector<double> y(static_cast<std::size_t>(p.width) * p.height);
  for (std::size_t i = 0; i < y.size(); ++i)
    y[i] = 0.299 * p.rgb[3 * i] + 0.587 * p.rgb[3 * i + 1] + 0.114 * p.rgb[3 * i + 2];
  return y;
}

// Separable Gaussian blur, edges clamped.
std::vector<double> blur(const std::vector<double>& in, int w, int h) {
  constexpr int r = 5;
  double k[2 * r + 1];
  double sum = 0;
  for (int i = -r; i <= r; ++i) sum += k[i + r] = std::exp(-(i * i) / (2 * 1.5 * 1.5));
  for (double& v : k) v /= sum;
  std::vector<double> tmp(in.size()), out(in.size());
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      double a = 0;
      for (int i = -r; i <= r; ++i) a += k[i + r] * in[y * w + std::clamp(x + i, 0, w - 1)];
      tmp[y * w + x] = a;
    }
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      double a = 0;
      for (int i = -r; i <= r; ++i) a += k[i + r] * tmp[std::clamp(y + i, 0, h - 1) * w + x];
      out[y * w + x] = a;
    }
  return out;
}

struct Region {
  int x0, y0, x1, y1;  // inclusive
};

// The box around every pixel of A that differs from its top left one (the
// ground): the cube. The whole picture when nothing differs.
Region cube_region(const Picture& a) {
  Region r = {a.width, a.height, -1, -1};
  for (int y = 0; y < a.height; ++y)
    for (int x = 0; x < a.width; ++x)
      if (std::memcmp(&a.rgb[(static_cast<std::size_t>(y) * a.width + x) * 3], &a.rgb[0], 3) != 0) {
        r = {std::min(r.x0, x), std::min(r.y0, y), std::max(r.x1, x), std::max(r.y1, y)};
      }
  if (r.x1 < 0) return {0, 0, a.width - 1, a.height - 1};
  return r;
}

// Mean SSIM over the whole picture and over the region.
void ssim(const Picture& a, const Picture& b, const Region& region, double& whole, double& inside) {
  const int w = a.width, h = a.height;
  const std::vector<double> x = luma(a), y = luma(b);
  std::vector<double> xx(x.size()), yy(x.size()), xy(x.size());
  for (std::size_t i = 0; i < x.size(); ++i) {
    xx[i] = x[i] * x[i];
    yy[i] = y[i] * y[i];
    xy[i] = x[i] * y[i];
  }
  const std::vector<double> mx = blur(x, w, h), my = blur(y, w, h);
  const std::vector<double> sxx = blur(xx, w, h), syy = blur(yy, w, h), sxy = blur(xy, w, h);
  const double c1 = (0.01 * 255) * (0.01 * 255), c2 = (0.03 * 255) * (0.03 * 255);
  double total = 0, total_inside = 0;
  long count_inside = 0;
  for (std::size_t i = 0; i < x.size(); ++i) {
    const double vx = sxx[i] - mx[i] * mx[i], vy = syy[i] - my[i] * my[i], cxy = sxy[i] - mx[i] * my[i];
    const double s = ((2 * mx[i] * my[i] + c1) * (2 * cxy + c2)) / ((mx[i] * mx[i] + my[i] * my[i] + c1) * (vx + vy + c2));
    total += s;
    const int px = static_cast<int>(i % w), py = static_cast<int>(i / w);
    if (px >= region.x0 && px <= region.x1 && py >= region.y0 && py <= region.y1) {
      total_inside += s;
      ++count_inside;
    }
  }
  whole = total / static_cast<double>(x.size());
  inside = count_inside > 0 ? total_inside / static_cast<double>(count_inside) : whole;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: picture_diff A.ppm B.ppm [--crop X Y W H --scale N --out SIDE.ppm]\n");
    return 2;
  }
  Picture a, b;
  if (!read_ppm(argv[1], a) || !read_ppm(argv[2], b) || a.width != b.width || a.height != b.height) {
    std::fprintf(stderr, "picture_diff: unreadable pictures or different sizes\n");
    return 2;
  }
  int cx = 0, cy = 0, cw = 0, ch = 0, scale = 2;
  const char* out = nullptr;
  for (int i = 3; i < argc; ++i) {
    if (std::strcmp(argv[i], "--crop") == 0 && i + 4 < argc) {
      cx = std::atoi(argv[++i]);
      cy = std::atoi(argv[++i]);
      cw = std::atoi(argv[++i]);
      ch = std::atoi(argv[++i]);
    } else if (std::strcmp(argv[i], "--crop-cube") == 0 && i + 2 < argc) {
      cw = std::min(a.width, std::atoi(argv[++i]));
      ch = std::min(a.height, std::atoi(argv[++i]));
      // The cube's topmost pixel, near the middle of the crop's top edge.
      std::size_t first = 0;
      while (first + 1 < pixels_of(a) && std::memcmp(&a.rgb[first * 3], &a.rgb[0], 3) == 0) ++first;
      const int x0 = static_cast<int>(first % a.width), y0 = static_cast<int>(first / a.width);
      cx = std::clamp(x0 - cw / 2, 0, a.width - cw);
      cy = std::clamp(y0 - 8, 0, a.height - ch);
    } else if (std::strcmp(argv[i], "--scale") == 0 && i + 1 < argc) {
      scale = std::max(1, std::atoi(argv[++i]));
    } else if (std::strcmp(argv[i], "--out") == 0 && i + 1 < argc) {
      out = argv[++i];
    }
  }

  long differing = 0;
  double sum = 0;
  int largest = 0;
  const std::size_t pixels = a.rgb.size() / 3;
  for (std::size_t i = 0; i < pixels; ++i) {
    bool differs = false;
    for (int c = 0; c < 3; ++c) {
      const int d = std::abs(a.rgb[3 * i + c] - b.rgb[3 * i + c]);
      sum += d;
      largest = std::max(largest, d);
      differs = differs || d != 0;
    }
    differing += differs;
  }
  // Over the cube's box as well: the plain ground, alike in both, flatters the
  // whole picture's figures.
  const Region cube = cube_region(a);
  double box_sum = 0;
  for (int y = cube.y0; y <= cube.y1; ++y)
    for (int x = cube.x0; x <= cube.x1; ++x)
      for (int c = 0; c < 3; ++c) {
        const std::size_t k = (static_cast<std::size_t>(y) * a.width + x) * 3 + c;
        box_sum += std::abs(a.rgb[k] - b.rgb[k]);
      }
  const double box_pixels = static_cast<double>(cube.x1 - cube.x0 + 1) * (cube.y1 - cube.y0 + 1);
  double whole_ssim = 0, cube_ssim = 0;
  ssim(a, b, cube, whole_ssim, cube_ssim);
  std::printf("mean_abs_diff %.3f  max_diff %d  differing_pixels %.3f%%  ssim %.5f  | cube box %dx%d: "
              "mean_abs_diff %.3f  ssim %.5f\n",
              sum / (3.0 * pixels), largest, 100.0 * differing / static_cast<double>(pixels), whole_ssim,
              cube.x1 - cube.x0 + 1, cube.y1 - cube.y0 + 1, box_sum / (3.0 * box_pixels), cube_ssim);

  if (out != nullptr && cw > 0 && ch > 0 && cx >= 0 && cy >= 0 && cx + cw <= a.width && cy + ch <= a.height) {
    constexpr int gap = 4;
    const int ow = (2 * cw) * scale + gap, oh = ch * scale;
    std::vector<unsigned char> side(static_cast<std::size_t>(ow) * oh * 3, 255);
    for (int y = 0; y < oh; ++y)
      for (int x = 0; x < ow; ++x) {
        const int half = cw * scale;
        if (x >= half && x < half + gap) continue;
        const Picture& p = x < half ? a : b;
        const int sx = cx + (x < half ? x : x - half - gap) / scale, sy = cy + y / scale;
        std::memcpy(&side[(static_cast<std::size_t>(y) * ow + x) * 3], &p.rgb[(static_cast<std::size_t>(sy) * a.width + sx) * 3], 3);
      }
    std::FILE* f = std::fopen(out, "wb");
    if (f == nullptr) return 1;
    std::fprintf(f, "P6\n%d %d\n255\n", ow, oh);
    std::fwrite(side.data(), 1, side.size(), f);
    std::fclose(f);
  }
  return 0;
}
