// Reading and writing speed of the plug-in against libexiv2, libexif, the I/O floor and a plain
// copy, measured in one run on the same files, with the peak memory of each workload.
//
//   dux_benchmark [--smoke] [google-benchmark flags]
//
// The files: every JPEG of the test corpus, and 200 copies of a 2 MB camera JPEG (the EXIF,
// maker note and thumbnail of a real camera file in front of a large image made here). The
// write measures a new caption into a 2 MB and a 20 MB JPEG against copying each (both flush).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exiv2/exiv2.hpp>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <random>
#include <string>
#include <vector>

#include <libexif/exif-data.h>

#include "metadata/TimgData.h"
#include "metadata/iptc/IptcFields.h"
#include "metadata/iptc/IptcXmp.h"
#include "metadata/iptc/TIPTCdata.h"
#include "tools/nbhost/PluginHost.h"
#include "tools/support/JpegEncoder.h"

namespace {

namespace fs = std::filesystem;
using dux::tools::PluginHost;

struct tSetup {
  std::vector<std::string> corpus;        // every JPEG of the test corpus
  std::vector<std::string> cameraCopies;  // copies of the 2 MB camera JPEG
  std::string camera2MB, camera20MB;      // write sources
  std::string small;                      // the same metadata in front of a small image
  std::string folder;
  std::vector<std::string> many;  // links to the corpus JPEGs, 10 000 (100 in a smoke run)
  std::unique_ptr<PluginHost> host;
};

tSetup& Setup() {
  static tSetup setup;
  return setup;
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteAll(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A baseline JPEG of noisy pixels, about `target` bytes long.
std::string NoiseJpeg(std::size_t target) {
  std::mt19937 random(42);
  for (int width = 1024;; width = width * 21 / 20) {
    const int height = width * 2 / 3;
    const std::string jpeg = dux::tools::EncodeRgbJpeg(
        width, height, 80, [&random](int y, std::span<unsigned char> row) {
          for (auto& v : row)
            v = static_cast<unsigned char>(random() & 0x3F) + static_cast<unsigned char>(y & 0x7F);
        });
    if (jpeg.size() >= target) return jpeg;
  }
}

// A camera file's EXIF APP1 in front of a large image: SOI, APP1, then the noise JPEG's rest.
std::string CameraJpeg(const std::string& exifSource, std::size_t target) {
  const std::string source = ReadAll(exifSource);
  const std::size_t app1 = source.find("\xFF\xE1");
  const std::size_t length = static_cast<unsigned char>(source[app1 + 2]) << 8 |
                             static_cast<unsigned char>(source[app1 + 3]);
  const std::string noise = NoiseJpeg(target);
  return "\xFF\xD8" + source.substr(app1, length + 2) + noise.substr(2);
}

void Prepare(const std::string& corpusDir, bool smoke) {
  tSetup& s = Setup();
  for (const auto& entry : fs::recursive_directory_iterator(corpusDir + "/files")) {
    std::string ext = entry.path().extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (entry.is_regular_file() && (ext == ".jpg" || ext == ".jpeg" || ext == ".jpe"))
      s.corpus.push_back(entry.path().string());
  }
  std::sort(s.corpus.begin(), s.corpus.end());
  s.folder = (fs::temp_directory_path() / ("dux-benchmark-" + std::to_string(getpid()))).string();
  fs::create_directories(s.folder);
  const std::string exifSource = corpusDir + "/files/makernote/canon_eos20d_customfunc.jpg";
  const std::string camera = CameraJpeg(exifSource, 2u << 20);
  const int copies = smoke ? 3 : 200;
  for (int i = 0; i < copies; ++i) {
    s.cameraCopies.push_back(s.folder + "/camera-" + std::to_string(i) + ".jpg");
    WriteAll(s.cameraCopies.back(), camera);
  }
  s.camera2MB = s.cameraCopies.front();
  s.camera20MB = s.folder + "/camera-20mb.jpg";
  WriteAll(s.camera20MB, smoke ? camera : CameraJpeg(exifSource, 20u << 20));
  s.small = s.folder + "/camera-small.jpg";
  WriteAll(s.small, CameraJpeg(exifSource, 16u << 10));
  // Many files, each a name of its own for one of the corpus JPEGs (a hard link where the
  // folders share a file system, else a symbolic one): the same bytes, so that reading ten
  // times as many files shows how the cost grows, and nothing else.
  const std::size_t manyCount = smoke ? 100 : 10000;
  fs::create_directories(s.folder + "/many");
  for (std::size_t i = 0; i < manyCount; ++i) {
    const std::string& target = s.corpus[i % s.corpus.size()];
    s.many.push_back(s.folder + "/many/" + std::to_string(i) +
                     fs::path(target).extension().string());
    std::error_code failed;
    fs::create_hard_link(target, s.many.back(), failed);
    if (failed) fs::create_symlink(target, s.many.back());
  }
  if (smoke) s.corpus.resize(std::min<std::size_t>(s.corpus.size(), 5));
  // The 400 MB just written go to the disk now, not while the cold reads are timed: the kernel
  // writes them back in the background for half a minute or more, and reads wait behind them.
  sync();
}

// --- the workloads ------------------------------------------------------------------------

void DuxRead(const std::string& path) {
  std::vector<std::string> params = {path};
  benchmark::DoNotOptimize(Setup().host->Execute(1, params));
  params = {path};
  benchmark::DoNotOptimize(Setup().host->Execute(5, params));
  Setup().host->setCalls.clear();
}

// duxIPTCread alone, through the exported entry point.
void DuxIptcRead(const std::string& path) {
  std::vector<std::string> params = {path};
  benchmark::DoNotOptimize(Setup().host->Execute(1, params));
  Setup().host->setCalls.clear();
}

// The 31 IPTC values of a file as duxIPTCread finds them, in process: with the XMP packet and
// the IPTC digest read and reconciled, or from the IIM block alone, as before the plug-in read
// XMP. The difference is what XMP adds to duxIPTCread.
void IptcValues(const std::string& path, bool withXmp) {
  dux::TimgData image;
  image.request = {.exifWalk = false, .xmpAnywhere = withXmp};
  image.ScanFile(path);
  dux::TIPTCdata none;
  if (image.iptcSection != nullptr) image.iptcInfo->ParseSegment(image.IptcBlock());
  const dux::TIPTCdata& iim = image.iptcInfo ? *image.iptcInfo : none;
  if (!withXmp) {
    for (const dux::tIptcFieldRow& row : dux::kIptcFields)
      benchmark::DoNotOptimize(iim.ValueOf(row.Field, ""));
    return;
  }
  const dux::IptcSources sources = dux::IptcSourcesOf(image, iim, dux::XmpPacket::Use::kRead);
  for (const dux::tIptcFieldRow& row : dux::kIptcFields)
    benchmark::DoNotOptimize(sources.ValueOf(row));
}
void IptcWithXmp(const std::string& path) { IptcValues(path, true); }
void IptcIimOnly(const std::string& path) { IptcValues(path, false); }

void Exiv2Read(const std::string& path) {
  try {
    auto image = Exiv2::ImageFactory::open(path);
    image->readMetadata();
    std::string text;
    for (const auto& datum : image->exifData()) text += datum.key() + "=" + datum.toString() + "\n";
    for (const auto& datum : image->iptcData()) text += datum.key() + "=" + datum.toString() + "\n";
    benchmark::DoNotOptimize(text);
  } catch (const Exiv2::AnyError&) {
  }
}

void LibexifEntry(ExifEntry* entry, void* text) {
  char value[1024];
  *static_cast<std::string*>(text) += exif_entry_get_value(entry, value, sizeof value);
}

void LibexifContent(ExifContent* content, void* text) {
  exif_content_foreach_entry(content, &LibexifEntry, text);
}

void LibexifRead(const std::string& path) {
  ExifData* data = exif_data_new_from_file(path.c_str());
  if (data == nullptr) return;
  std::string text;
  exif_data_foreach_content(data, &LibexifContent, &text);
  exif_data_unref(data);
  benchmark::DoNotOptimize(text);
}

void IoFloor(const std::string& path) {
  static std::vector<char> buffer(65536);
  FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return;
  benchmark::DoNotOptimize(std::fread(buffer.data(), 1, buffer.size(), file));
  std::fclose(file);
}

// The page cache forgets the file, so that the next read comes from the disk. Pages not yet
// written back cannot be dropped, so they are written first: without that, files the run has
// just made stayed in memory, and their "cold" reads were warm ones.
void Evict(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY);
  if (fd < 0) return;
  fdatasync(fd);
  posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
  close(fd);
}

void DuxReadCold(const std::string& path) {
  Evict(path);
  DuxRead(path);
}

void IoFloorCold(const std::string& path) {
  Evict(path);
  IoFloor(path);
}

void DuxWrite(const std::string& source) {
  tSetup& s = Setup();
  s.host->variables["[duxIPTC_ImageCaption]"] = "A new caption, written by the benchmark.";
  std::vector<std::string> params = {source, s.folder + "/written.jpg"};
  if (!s.host->Execute(2, params))
    std::cerr << "write failed: " << s.host->variables["[LastError]"] << "\n";
}

// A copy as a copy program makes it: the file streamed through a 256 KB buffer, then flushed.
void CopyFlushed(const std::string& source) {
  const std::string destination = Setup().folder + "/copied.jpg";
  FILE* in = std::fopen(source.c_str(), "rb");
  FILE* out = std::fopen(destination.c_str(), "wb");
  if (in == nullptr || out == nullptr) {
    std::cerr << "copy failed: " << source << "\n";
  } else {
    std::vector<char> buffer(256u << 10);
    for (std::size_t n; (n = std::fread(buffer.data(), 1, buffer.size(), in)) > 0;)
      std::fwrite(buffer.data(), 1, n, out);
    std::fflush(out);
    fsync(fileno(out));
  }
  if (in != nullptr) std::fclose(in);
  if (out != nullptr) std::fclose(out);
}

struct tWorkload {
  std::string name;
  std::function<void(const std::string&)> run;
  std::function<const std::vector<std::string>&()> files;
};

const std::vector<std::string>& Corpus() { return Setup().corpus; }
const std::vector<std::string>& Copies() { return Setup().cameraCopies; }
const std::vector<std::string>& Many() { return Setup().many; }
const std::vector<std::string>& ATenthOfMany() {
  static std::vector<std::string> f;
  f.assign(Setup().many.begin(),
           Setup().many.begin() + static_cast<std::ptrdiff_t>(Setup().many.size() / 10));
  return f;
}
const std::vector<std::string>& TwoMB() {
  static std::vector<std::string> f;
  f = {Setup().camera2MB};
  return f;
}
const std::vector<std::string>& Small() {
  static std::vector<std::string> f;
  f = {Setup().small};
  return f;
}
const std::vector<std::string>& TwentyMB() {
  static std::vector<std::string> f;
  f = {Setup().camera20MB};
  return f;
}

const std::vector<tWorkload>& Workloads() {
  static const std::vector<tWorkload> workloads = {
      {"read/dux/corpus", DuxRead, Corpus},
      {"read/exiv2/corpus", Exiv2Read, Corpus},
      {"read/libexif/corpus", LibexifRead, Corpus},
      {"read/floor64k/corpus", IoFloor, Corpus},
      {"read/dux/camera2MB", DuxRead, Copies},
      {"read/exiv2/camera2MB", Exiv2Read, Copies},
      {"read/libexif/camera2MB", LibexifRead, Copies},
      {"read/floor64k/camera2MB", IoFloor, Copies},
      {"read/dux/camera2MB-cold", DuxReadCold, Copies},
      {"read/floor64k/camera2MB-cold", IoFloorCold, Copies},
      {"write/dux/2MB", DuxWrite, TwoMB},
      {"write/copy/2MB", CopyFlushed, TwoMB},
      {"write/dux/20MB", DuxWrite, TwentyMB},
      {"write/copy/20MB", CopyFlushed, TwentyMB},
      {"read/dux/1000-files", DuxRead, ATenthOfMany},
      {"read/dux/10000-files", DuxRead, Many},
      {"iptcread/dux/corpus", DuxIptcRead, Corpus},
      {"iptc/with-xmp/corpus", IptcWithXmp, Corpus},
      {"iptc/iim-only/corpus", IptcIimOnly, Corpus},
      {"write/dux/small", DuxWrite, Small},
      {"write/copy/small", CopyFlushed, Small},
  };
  return workloads;
}

void RunWorkload(benchmark::State& state, const tWorkload* w) {
  const auto& files = w->files();
  for (auto _ : state) {
    for (const std::string& file : files) w->run(file);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(files.size()));
}

// Peak memory of one workload: run once in a child process and take its peak over the peak of
// a child that only prepared and loaded the plug-in.
long PeakOf(const tWorkload* w) {
  const auto childPeak = [](const tWorkload* workload) -> long {
    const pid_t pid = fork();
    if (pid == 0) {
      if (workload != nullptr) {
        for (const std::string& file : workload->files()) workload->run(file);
      }
      _exit(0);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    return usage.ru_maxrss;  // kilobytes
  };
  return childPeak(w) - childPeak(nullptr);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Keeps every result for the table after the run: with repetitions, the median of each
// workload's (run-benchmark.sh repeats every workload in a shuffled order, so that the
// machine's drift over the run falls on all of them alike).
class TableReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Iteration) continue;
      const auto items = run.counters.find("items_per_second");
      const double perSecond = items != run.counters.end() ? static_cast<double>(items->second) : 0;
      const double seconds = run.GetAdjustedRealTime() / 1e9;  // time unit: nanoseconds
      std::vector<std::pair<double, double>>& all = runs_[run.run_name.function_name];
      all.emplace_back(perSecond, seconds);
      std::vector<double> rates, times;
      for (const auto& [r, t] : all) {
        rates.push_back(r);
        times.push_back(t);
      }
      results[run.run_name.function_name] = {Median(rates), Median(times)};
    }
  }
  std::map<std::string, std::pair<double, double>> results;

 private:
  std::map<std::string, std::vector<std::pair<double, double>>> runs_;
};

std::size_t FileSize(const std::string& path) {
  return static_cast<std::size_t>(fs::file_size(path));
}

// The workload of that name; null when there is none (no cold read for every reader).
const tWorkload* FindWorkload(const std::string& name) {
  for (const auto& w : Workloads()) {
    if (w.name == name) return &w;
  }
  return nullptr;
}

void PrintTable(const TableReporter& reporter) {
  const auto rate = [&](const std::string& name) {
    auto f = reporter.results.find(name);
    return f == reporter.results.end() ? 0.0 : f->second.first;
  };
  const auto time = [&](const std::string& name) {
    auto f = reporter.results.find(name);
    return f == reporter.results.end() ? 0.0 : f->second.second;
  };
  std::printf("\n%-26s %14s %12s %12s %12s %14s\n", "workload", "files/s", "x exiv2", "x libexif",
              "x floor", "peak memory");
  for (const std::string set : {"corpus", "camera2MB", "camera2MB-cold"}) {
    for (const std::string reader : {"dux", "exiv2", "libexif", "floor64k"}) {
      const std::string name = "read/" + reader + "/" + set;
      const tWorkload* w = FindWorkload(name);
      if (w == nullptr) continue;
      const auto ratio = [&](const std::string& peer) {
        const double base = rate("read/" + peer + "/" + set);
        char text[32] = "-";
        if (base > 0) std::snprintf(text, sizeof text, "%.2f", rate(name) / base);
        return std::string(text);
      };
      std::printf("%-26s %14.0f %12s %12s %12s %11ld KB\n", name.c_str(), rate(name),
                  ratio("exiv2").c_str(), ratio("libexif").c_str(), ratio("floor64k").c_str(),
                  PeakOf(w));
    }
  }
  // Growth: the time of all the many files over that of a tenth of them, and the peak of each.
  const std::string tenth = "read/dux/1000-files", all = "read/dux/10000-files";
  if (time(tenth) > 0 && time(all) > 0) {
    const auto peak = [](const std::string& name) {
      const tWorkload* w = FindWorkload(name);
      return w == nullptr ? 0L : PeakOf(w);
    };
    std::printf(
        "\n%zu files take %.2f times as long as %zu (at most 10.5 wanted); peak memory %ld KB and "
        "%ld KB\n",
        Many().size(), time(all) / time(tenth), ATenthOfMany().size(), peak(all), peak(tenth));
  }
  // XMP's share of duxIPTCread: the in-process difference of the two IPTC workloads, over the
  // rest of duxIPTCread's time per file.
  const double withXmp = rate("iptc/with-xmp/corpus"), iimOnly = rate("iptc/iim-only/corpus");
  const double iptcRead = rate("iptcread/dux/corpus");
  if (withXmp > 0 && iimOnly > 0 && iptcRead > 0) {
    const double xmpSeconds = 1 / withXmp - 1 / iimOnly, readSeconds = 1 / iptcRead;
    std::printf(
        "\nduxIPTCread of the corpus: %.0f files/s (%.1f us a file), of which XMP and the digest "
        "%.1f us:\n"
        "XMP makes duxIPTCread %+.1f %% slower than it would be without\n",
        iptcRead, readSeconds * 1e6, xmpSeconds * 1e6,
        xmpSeconds / (readSeconds - xmpSeconds) * 100);
  }
  // A write's memory is counted above that of the same write of a small file: what grows with
  // the file.
  const long smallWrite = PeakOf(&Workloads()[Workloads().size() - 2]);
  const long smallCopy = PeakOf(&Workloads()[Workloads().size() - 1]);
  std::printf("\n%-26s %14s %12s %20s %14s\n", "workload", "seconds", "x copy", "peak above small",
              "file size");
  for (const std::string size : {"2MB", "20MB"}) {
    for (const std::string writer : {"dux", "copy"}) {
      const std::string name = "write/" + writer + "/" + size;
      const tWorkload* w = FindWorkload(name);
      std::printf("%-26s %14.4f %12.2f %17ld KB %11zu KB\n", name.c_str(), time(name),
                  time(name) / std::max(time("write/copy/" + size), 1e-12),
                  // peaks are read in pages: a few KB of noise either way count as nothing
                  std::max(PeakOf(w) - (writer == "dux" ? smallWrite : smallCopy), 0L),
                  FileSize(w->files().front()) / 1024);
    }
  }
}

// Two workloads in alternating passes over the same files, which one goes first changing from
// round to round: each round sets two passes taken moments apart against each other, so that the
// machine's drift, which moves the separate workloads' rates by a third within a run, falls on
// both alike. Gives the median of the rounds' ratios of the second's time to the first's (for a
// read against libexif: how many times as many files a second dux reads), and the middle half
// of them.
struct tPaired {
  double median = 0, low = 0, high = 0;
};

tPaired Paired(const tWorkload& first, const tWorkload& second, int rounds) {
  using Clock = std::chrono::steady_clock;
  const auto pass = [](const tWorkload& w) {
    const auto& files = w.files();
    const auto start = Clock::now();
    for (const std::string& file : files) w.run(file);
    return std::chrono::duration<double>(Clock::now() - start).count();
  };
  pass(first);  // both warm: the files in the page cache (but for cold reads), the code in memory
  pass(second);
  std::vector<double> ratios;
  for (int round = 0; round < rounds; ++round) {
    double a = 0, b = 0;
    if (round % 2 == 0) {
      a = pass(first);
      b = pass(second);
    } else {
      b = pass(second);
      a = pass(first);
    }
    ratios.push_back(b / a);
  }
  std::sort(ratios.begin(), ratios.end());
  const std::size_t n = ratios.size();
  return {ratios[n / 2], ratios[n / 4], ratios[n - 1 - n / 4]};
}

void PrintPaired(bool smoke) {
  struct tPair {
    const char* label;
    const char* first;
    const char* second;
    int rounds;
    const char* wanted;
  };
  // The second's time over the first's: for a read against libexif, how many times as many
  // files a second dux reads.
  const tPair pairs[] = {
      {"read/dux/corpus", "read/dux/corpus", "read/libexif/corpus", 41,
       "x libexif, at least 1.5 wanted"},
      {"read/dux/camera2MB", "read/dux/camera2MB", "read/libexif/camera2MB", 41,
       "x libexif, at least 1.5 wanted"},
      {"read/dux/camera2MB-cold", "read/floor64k/camera2MB-cold", "read/dux/camera2MB-cold", 11,
       "x the 64 KB floor's time, at most 1.15 wanted"},
      {"read/dux/10000-files", "read/dux/1000-files", "read/dux/10000-files", 11,
       "x 1000 files' time, at most 10.5 wanted"},
      {"write/dux/2MB", "write/copy/2MB", "write/dux/2MB", 41,
       "x the copy's time, at most 1.0 wanted"},
      {"write/dux/20MB", "write/copy/20MB", "write/dux/20MB", 11,
       "x the copy's time, at most 1.0 wanted"},
  };
  std::printf("\nthe same, in alternating passes (median of the rounds, and their middle half):\n");
  for (const tPair& p : pairs) {
    const int rounds = smoke ? 3 : p.rounds;
    const tWorkload* first = FindWorkload(p.first);
    const tWorkload* second = FindWorkload(p.second);
    if (first == nullptr || second == nullptr)
      std::abort();  // a name above that is not in the list
    const tPaired paired = Paired(*first, *second, rounds);
    std::printf("  %-28s %5.2f (%.2f to %.2f) %s, %d rounds\n", p.label, paired.median, paired.low,
                paired.high, p.wanted, rounds);
  }
}

// What a system call costs on this machine: the file status of an open file, the median of
// rounds of many. The read pair makes a handful of calls a file (two opens and closes, its reads,
// a file status), and where a call costs a microsecond or more they are a large part of its
// time, and of how it compares with a reader that makes fewer (see docs/performance.md).
void PrintSystemCallCost(bool smoke) {
  using Clock = std::chrono::steady_clock;
  const int fd = open(Setup().camera2MB.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return;
  const int rounds = smoke ? 3 : 41, calls = 10000;
  std::vector<double> micros;
  for (int round = 0; round < rounds; ++round) {
    struct stat info {};
    const auto start = Clock::now();
    for (int i = 0; i < calls; ++i) benchmark::DoNotOptimize(fstat(fd, &info));
    micros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count() /
                     calls);
  }
  close(fd);
  std::printf(
      "\na system call takes %.2f us on this machine (a file status; median of %d rounds of %d)\n",
      Median(micros), rounds, calls);
}

}  // namespace

int main(int argc, char** argv) {
  bool smoke = false;
  std::vector<char*> args;
  for (int i = 0; i < argc; ++i) {
    if (std::string(argv[i]) == "--smoke") {
      smoke = true;
    } else {
      args.push_back(argv[i]);
    }
  }
  Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
  Prepare(DUX_CORPUS_DIR, smoke);
  std::string error;
  Setup().host = PluginHost::Load(DUX_PLUGIN_PATH, error);
  if (!Setup().host) {
    std::cerr << "cannot load the plug-in: " << error << "\n";
    return 2;
  }
  Setup().host->Register();
  Setup().host->recordSetCalls = false;  // a host keeps its variables, not a log of every call
  for (const tWorkload& w : Workloads()) {
    auto* b = benchmark::RegisterBenchmark(w.name.c_str(), RunWorkload, &w)->UseRealTime();
    if (smoke) b->Iterations(1);
  }
  int count = static_cast<int>(args.size());
  benchmark::Initialize(&count, args.data());
  TableReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  PrintTable(reporter);
  PrintPaired(smoke);
  PrintSystemCallCost(smoke);
  std::error_code ignored;
  fs::remove_all(Setup().folder, ignored);
  std::puts("benchmark finished");
  return 0;
}
