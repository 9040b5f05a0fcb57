// Renders the JPEG pictures of the information windows into resources/info/: fractal reliefs, a
// carpet, an aggregate, a Julia set, a leaf, and the steps of the homogeneity and wavelet treatments.
// Everything is computed here from fixed seeds, so the files are the same on every run.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// libjpeg's header needs size_t and FILE declared first.
#include <jpeglib.h>

namespace {

constexpr int kSize = 160;

struct Picture {
  int width = kSize, height = kSize;
  std::vector<std::uint8_t> rgb = std::vector<std::uint8_t>(kSize * kSize * 3, 255);
  void Set(int x, int y, int r, int g, int b) {
    if (x < 0 || y < 0 || x >= width || y >= height) return;
    std::uint8_t* p = &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
    p[0] = static_cast<std::uint8_t>(std::clamp(r, 0, 255));
    p[1] = static_cast<std::uint8_t>(std::clamp(g, 0, 255));
    p[2] = static_cast<std::uint8_t>(std::clamp(b, 0, 255));
  }
  void Gray(int x, int y, int v) { Set(x, y, v, v, v); }
};

class Random {
 public:
  explicit Random(std::uint32_t seed) : state_(seed) {}
  double Next() {
    state_ = state_ * 1664525u + 1013904223u;
    return (state_ >> 8) / 16777216.0;
  }

 private:
  std::uint32_t state_;
};

bool Write(const std::string& name, const Picture& picture) {
  FILE* file = std::fopen(name.c_str(), "wb");
  if (!file) return false;
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  jpeg_stdio_dest(&info, file);
  info.image_width = picture.width;
  info.image_height = picture.height;
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 85, TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row =
        const_cast<JSAMPROW>(&picture.rgb[static_cast<std::size_t>(info.next_scanline) * picture.width * 3]);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return std::fclose(file) == 0;
}

// A fractal relief by diamond-square on (2^k + 1)^2 points, heights 0..1.
std::vector<double> Relief(std::uint32_t seed, double roughness) {
  constexpr int n = 257;
  std::vector<double> h(n * n, 0.0);
  Random random(seed);
  auto at = [&](int i, int j) -> double& { return h[static_cast<std::size_t>(i) * n + j]; };
  double spread = 1.0;
  for (int step = n - 1; step > 1; step /= 2, spread *= roughness) {
    const int half = step / 2;
    for (int i = half; i < n; i += step)
      for (int j = half; j < n; j += step)
        at(i, j) = (at(i - half, j - half) + at(i - half, j + half) + at(i + half, j - half) +
                    at(i + half, j + half)) /
                       4 +
                   (random.Next() - 0.5) * spread;
    for (int i = 0; i < n; i += half)
      for (int j = (i / half % 2 == 0) ? half : 0; j < n; j += step) {
        double sum = 0;
        int count = 0;
        for (auto [di, dj] :
             {std::array{-half, 0}, std::array{half, 0}, std::array{0, -half}, std::array{0, half}})
          if (i + di >= 0 && i + di < n && j + dj >= 0 && j + dj < n) {
            sum += at(i + di, j + dj);
            ++count;
          }
        at(i, j) = sum / count + (random.Next() - 0.5) * spread;
      }
  }
  const auto [low, high] = std::minmax_element(h.begin(), h.end());
  const double lo = *low, range = *high - *low;
  std::vector<double> out(kSize * kSize);
  for (int i = 0; i < kSize; ++i)
    for (int j = 0; j < kSize; ++j) out[i * kSize + j] = (at(i + 40, j + 40) - lo) / range;
  return out;
}

// Hill shading from the north-west.
double Shade(const std::vector<double>& h, int i, int j) {
  const int i0 = std::max(i - 1, 0), i1 = std::min(i + 1, kSize - 1);
  const int j0 = std::max(j - 1, 0), j1 = std::min(j + 1, kSize - 1);
  const double dx = (h[i * kSize + j1] - h[i * kSize + j0]) * 40;
  const double dy = (h[i1 * kSize + j] - h[i0 * kSize + j]) * 40;
  return std::clamp(0.6 - 0.35 * (dx + dy) / std::sqrt(1 + dx * dx + dy * dy), 0.0, 1.0);
}

void Hypsometric(Picture& p, const std::vector<double>& h, double sea) {
  for (int i = 0; i < kSize; ++i)
    for (int j = 0; j < kSize; ++j) {
      const double v = h[i * kSize + j];
      const double s = Shade(h, i, j) * 1.4;
      if (v < sea)
        p.Set(j, i, 40 + 60 * v, 80 + 90 * v, 150 + 80 * v);
      else if (v < 0.6)
        p.Set(j, i, (80 + 120 * v) * s, (140 + 60 * v) * s, (70 + 40 * v) * s);
      else
        p.Set(j, i, (150 + 100 * v) * s, (120 + 110 * v) * s, (90 + 140 * v) * s);
    }
}

// Connected regions of the mask (8-connected), numbered from 1; 0 outside.
std::vector<int> Regions(const std::vector<bool>& mask) {
  std::vector<int> label(mask.size(), 0);
  int next = 0;
  std::vector<int> stack;
  for (int start = 0; start < kSize * kSize; ++start) {
    if (!mask[start] || label[start]) continue;
    label[start] = ++next;
    stack.push_back(start);
    while (!stack.empty()) {
      const int k = stack.back();
      stack.pop_back();
      const int i = k / kSize, j = k % kSize;
      for (int di = -1; di <= 1; ++di)
        for (int dj = -1; dj <= 1; ++dj) {
          const int y = i + di, x = j + dj;
          if (y < 0 || x < 0 || y >= kSize || x >= kSize) continue;
          const int m = y * kSize + x;
          if (mask[m] && !label[m]) {
            label[m] = next;
            stack.push_back(m);
          }
        }
    }
  }
  return label;
}

std::vector<bool> Aggregate(std::uint32_t seed, int particles) {
  std::vector<bool> stuck(kSize * kSize, false);
  const int c = kSize / 2;
  stuck[c * kSize + c] = true;
  Random random(seed);
  double radius = 2;
  for (int n = 0; n < particles && radius < c - 6; ++n) {
    const double angle = random.Next() * 2 * M_PI;
    int x = c + static_cast<int>((radius + 5) * std::cos(angle));
    int y = c + static_cast<int>((radius + 5) * std::sin(angle));
    for (;;) {
      const int dir = static_cast<int>(random.Next() * 4);
      x += dir == 0 ? 1 : dir == 1 ? -1 : 0;
      y += dir == 2 ? 1 : dir == 3 ? -1 : 0;
      const double d = std::hypot(x - c, y - c);
      if (d > radius + 12) break;  // wandered off: a new walker
      bool touch = false;
      for (int di = -1; di <= 1 && !touch; ++di)
        for (int dj = -1; dj <= 1; ++dj)
          if (stuck[(y + di) * kSize + x + dj]) touch = true;
      if (touch) {
        stuck[y * kSize + x] = true;
        radius = std::max(radius, d);
        break;
      }
    }
  }
  return stuck;
}

Picture Colours(const std::vector<int>& label) {
  Picture p;
  for (int k = 0; k < kSize * kSize; ++k) {
    const int l = label[k];
    if (l == 0) continue;
    p.Set(k % kSize, k / kSize, 60 + (l * 97) % 180, 60 + (l * 57) % 180, 60 + (l * 139) % 180);
  }
  return p;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string folder = argc > 1 ? argv[1] : "resources/info";
  bool ok = true;
  auto save = [&](const char* name, const Picture& p) { ok = Write(folder + "/" + name + ".jpg", p) && ok; };

  const std::vector<double> relief = Relief(7, 0.55);
  Picture gray, binary;
  std::vector<bool> low(kSize * kSize);
  for (int k = 0; k < kSize * kSize; ++k) {
    gray.Gray(k % kSize, k / kSize, static_cast<int>(255 * relief[k]));
    low[k] = relief[k] > 0.58;
    if (low[k]) binary.Gray(k % kSize, k / kSize, 0);
  }
  save("general-relief", gray);
  save("general-binary", binary);
  save("general-labeled", Colours(Regions(low)));

  // Homogeneity: a class of gray tones, and its share in a 15 x 15 window.
  Picture classes, member, map;
  std::vector<int> inClass(kSize * kSize);
  for (int k = 0; k < kSize * kSize; ++k) {
    const int tone = static_cast<int>(relief[k] * 4);
    classes.Gray(k % kSize, k / kSize, 40 + 60 * std::min(tone, 3));
    inClass[k] = tone == 2;
    if (inClass[k]) member.Set(k % kSize, k / kSize, 200, 60, 40);
  }
  for (int i = 0; i < kSize; ++i)
    for (int j = 0; j < kSize; ++j) {
      int count = 0, total = 0;
      for (int di = -7; di <= 7; ++di)
        for (int dj = -7; dj <= 7; ++dj)
          if (i + di >= 0 && i + di < kSize && j + dj >= 0 && j + dj < kSize) {
            count += inClass[(i + di) * kSize + j + dj];
            ++total;
          }
      map.Gray(j, i, 255 * count / total);
    }
  save("homogeneity-image", classes);
  save("homogeneity-class", member);
  save("homogeneity-map", map);

  // The wavelet kernel (2 - u) exp(-u / 2), u = r² / σ², and the relief's response to it.
  constexpr double sigma = 5;
  Picture kernel, response;
  for (int i = 0; i < kSize; ++i)
    for (int j = 0; j < kSize; ++j) {
      const double u = (std::pow(i - 80, 2) + std::pow(j - 80, 2)) / std::pow(sigma * 5, 2);
      const double w = (2 - u) * std::exp(-u / 2);
      kernel.Set(j, i, 128 + 60 * w, 128 + 20 * w, 128 - 60 * w);
    }
  std::vector<double> filtered(kSize * kSize, 0);
  for (int i = 0; i < kSize; ++i)
    for (int j = 0; j < kSize; ++j) {
      double sum = 0;
      for (int di = -12; di <= 12; ++di)
        for (int dj = -12; dj <= 12; ++dj) {
          const int y = std::clamp(i + di, 0, kSize - 1), x = std::clamp(j + dj, 0, kSize - 1);
          const double u = (di * di + dj * dj) / (sigma * sigma);
          sum += (2 - u) * std::exp(-u / 2) * relief[y * kSize + x];
        }
      filtered[i * kSize + j] = sum;
    }
  const auto [fLow, fHigh] = std::minmax_element(filtered.begin(), filtered.end());
  for (int k = 0; k < kSize * kSize; ++k)
    response.Gray(k % kSize, k / kSize, static_cast<int>(255 * (filtered[k] - *fLow) / (*fHigh - *fLow)));
  save("morlet-kernel", kernel);
  save("morlet-image", gray);
  save("morlet-response", response);

  Picture about, coloured, coast;
  Hypsometric(about, Relief(3, 0.6), 0.3);
  Hypsometric(coloured, Relief(11, 0.62), 0.25);
  Hypsometric(coast, Relief(19, 0.58), 0.5);
  save("about", about);
  save("illustration-relief", coloured);
  save("illustration-coast", coast);

  Picture carpet;
  for (int i = 0; i < 162 && i < kSize; ++i)
    for (int j = 0; j < kSize; ++j) {
      bool hole = false;
      for (int a = i / 2, b = j / 2; a > 0 || b > 0; a /= 3, b /= 3)
        hole = hole || (a % 3 == 1 && b % 3 == 1);
      if (!hole) carpet.Set(j, i, 30, 50, 90);
    }
  save("illustration-carpet", carpet);

  Picture growth, urban;
  const std::vector<bool> cluster = Aggregate(5, 6000);
  const std::vector<bool> town = Aggregate(8, 9000);
  for (int k = 0; k < kSize * kSize; ++k) {
    const double d = std::hypot(k % kSize - 80.0, k / kSize - 80.0);
    if (cluster[k]) growth.Set(k % kSize, k / kSize, 200 - d, 80 + d, 60 + d);
    if (town[k])
      urban.Set(k % kSize, k / kSize, 150, 60, 50);
    else
      urban.Set(k % kSize, k / kSize, 225, 230, 205);
  }
  save("illustration-growth", growth);
  save("urban-growth", urban);

  Picture julia;
  for (int i = 0; i < kSize; ++i)
    for (int j = 0; j < kSize; ++j) {
      double x = (j - 80) / 55.0, y = (i - 80) / 55.0;
      int n = 0;
      for (; n < 120 && x * x + y * y < 4; ++n) {
        const double t = x * x - y * y - 0.8;
        y = 2 * x * y + 0.156;
        x = t;
      }
      julia.Set(j, i, n == 120 ? 10 : 20 + n * 6, n == 120 ? 10 : 10 + n * 3, n == 120 ? 30 : 80 + n * 2);
    }
  save("illustration-julia", julia);

  Picture leaf;
  Random random(13);
  double x = 0, y = 0;
  for (int n = 0; n < 60000; ++n) {
    const double r = random.Next();
    double nx, ny;
    if (r < 0.01) {
      nx = 0;
      ny = 0.16 * y;
    } else if (r < 0.86) {
      nx = 0.85 * x + 0.04 * y;
      ny = -0.04 * x + 0.85 * y + 1.6;
    } else if (r < 0.93) {
      nx = 0.2 * x - 0.26 * y;
      ny = 0.23 * x + 0.22 * y + 1.6;
    } else {
      nx = -0.15 * x + 0.28 * y;
      ny = 0.26 * x + 0.24 * y + 0.44;
    }
    x = nx;
    y = ny;
    leaf.Set(static_cast<int>(80 + x * 14), static_cast<int>(155 - y * 14.5), 40,
             120 + static_cast<int>(y * 10), 50);
  }
  save("illustration-fern", leaf);

  if (!ok) std::fprintf(stderr, "could not write the pictures into %s\n", folder.c_str());
  return ok ? 0 : 1;
}
