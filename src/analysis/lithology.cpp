#include "analysis/lithology.h"

namespace tarnix {

const std::array<const char*, kLithologyCount> kLithologyNames = {
    "冲填土", "粉土", "粉质亚砂土", "粉质亚粘土", "粉质粘土", "耕表土", "红粘土", "黄土",
    "黄土状亚砂土", "黄土状亚粘土", "软粘土", "砂质粉土", "素填土", "亚砂土", "淤泥质亚粘土", "淤泥质粘土",
    "杂填土", "粘土", "粘质粉土", "安山岩", "白云岩", "白云质大理岩", "白云质灰岩", "板岩",
    "变粒岩", "变质砂岩", "粗砂", "大理岩", "断层角砾岩", "断层泥", "粉砂", "粉砂岩",
    "粉细砂", "钙质砾岩", "钙质砂岩", "钙质页岩", "橄榄岩", "硅质岩", "花岗岩", "辉长岩",
    "辉岩", "角跞", "角砾岩", "角闪岩", "块石", "砾粗砂", "砾砂", "砾岩",
    "流纹岩", "卵石", "煤", "泥灰岩", "泥炭", "泥岩", "泥质灰岩", "泥质砂岩",
    "片麻岩", "片岩", "漂石", "千枚岩", "强风化", "软粘土", "砂砾岩", "砂岩",
    "砂质页岩", "闪长岩", "闪岩", "石膏", "石灰岩", "石英片岩", "石英岩", "碎石",
    "微风化", "细砂", "玄武岩", "盐岩", "页岩", "淤泥", "圆砾", "正长岩",
    "中粗砂", "中风化", "中砂", "中细砂", "素混凝土", "钢筋混凝土",
};

std::optional<std::string> LegendFileName(const std::string& picName) {
  if (picName.empty() || picName == "." || picName.find("..") != std::string::npos ||
      picName.find_first_of(std::string("/\\:\0", 4)) != std::string::npos) {
    return std::nullopt;
  }
  return picName + ".bmp";
}

}  // namespace tarnix
