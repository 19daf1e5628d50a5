#include "report/point_wave_export.h"

#include "base/c_text.h"
#include "formats/file_error.h"
#include "formats/mono_bitmap.h"
#include "render/mono_image.h"
#include "render/point_picture.h"

namespace tarnix {
namespace {

constexpr char kEmDash[] = "\u2014";

PointChannel ChannelAt(const CTarnixDoc& doc, int section, int point) {
  if (section < 0 || section >= kSectionCount || !doc.Section(section).valid) return {};
  const SectionRecord& s = doc.Section(section);
  return {&s, s.PointAt(point)};
}

}  // namespace

std::string PointWaveName(const TestHeader& header, const SectionRecord& section, const CSamNode* point) {
  return header.m_holeID + kEmDash + CFormat("%d", section.sourPipe + 1) + "-" + CFormat("%d", section.destPipe + 1) +
         kEmDash + CFormat("%3.1f", point != nullptr ? point->sourL : 0.0f);
}

bool ExportPointWaves(CTarnixDoc& doc, int section, int point, const std::string& path) {
  const QImage picture =
      DrawPointPicture(doc.Header(), ChannelAt(doc, section, point), ChannelAt(doc, section + 1, point));
  if (picture.isNull()) {
    doc.Ui().Message("该点数据为空", MessageButtons::Ok);
    return false;
  }
  try {
    WriteMonoBitmap(path, ThresholdImage(picture));
  } catch (const FileError& e) {
    doc.Ui().Message(e.what(), MessageButtons::Ok);
    return false;
  }
  doc.Ui().Message("导出测点波形BMP成功！", MessageButtons::Ok);
  return true;
}

void OnExportPointWaves(CTarnixDoc& doc) {
  const int section = doc.CurrentSection();
  if (section < 0) {
    doc.Ui().Message("请打开文件后再导出BMP图片!", MessageButtons::Ok);
    return;
  }
  FileDialogRequest request;
  request.save = true;
  request.filter = "(*.bmp)|*.bmp||";
  request.proposedName = PointWaveName(doc.Header(), doc.Section(section), doc.Section(section).PointAt(doc.CurrentPoint()));
  request.defaultExtension = "bmp";
  request.flags = kHideReadOnly | kOverwritePrompt;
  const std::optional<std::string> path = doc.Ui().ChooseFile(request);
  if (path && !path->empty()) ExportPointWaves(doc, section, doc.CurrentPoint(), *path);
}

}  // namespace tarnix
