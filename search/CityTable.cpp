#include "search/CityTable.h"

#include "search/ProgramTexts.h"

const CityRow kCityTable[kCityCount] = {
    {kTextCity0, "bj", "http://bj"},
    {kTextCity1, "gz", "http://gz"},
    {kTextCity2, "hz", "http://hz"},
    {kTextCity3, "jn", "http://jn"},
    {kTextCity4, "liaocheng", "http://liaocheng"},
    {kTextCity5, "nj", "http://nj"},
    {kTextCity6, "qd", "http://qd"},
    {kTextCity7, "sh", "http://sh"},
    {kTextCity8, "sz", "http://sz"},
    {kTextCity9, "tj", "http://tj"},
    {kTextCity10, "wh", "http://wh"},
    {kTextCity11, "yantai", "http://yantai"},
};

int ValidCityRow(int row) { return (row >= 0 && row < kCityCount) ? row : 0; }
