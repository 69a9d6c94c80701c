#include "verify/graphscale.h"

#include <array>
#include <cmath>

int EscalaGrafico(double largest) {
    if (largest < 4)
        return 4;
    return static_cast<int>(std::floor(largest + 0.999999));
}

int PasoEtiquetas(int count) {
    if (count <= 40)
        return 1;
    if (count <= 90)
        return 2;
    if (count <= 180)
        return 5;
    return 10;
}

QColor ColorBarra(int index) {
    static const std::array<QColor, 18> palette{{
        {190, 124, 96},
        {238, 158, 128},
        {128, 176, 225},
        {154, 142, 218},
        {168, 204, 104},
        {142, 232, 218},
        {255, 148, 78},
        {128, 154, 245},
        {236, 104, 136},
        {178, 132, 206},
        {196, 236, 86},
        {255, 208, 72},
        {104, 154, 245},
        {132, 222, 154},
        {245, 96, 96},
        {255, 218, 78},
        {234, 92, 184},
        {88, 204, 245},
    }};
    const int i = index % 18;
    return palette[static_cast<size_t>(i < 0 ? i + 18 : i)];
}

double MaximoValores(const QList<double>& values) {
    double largest = 0;
    for (double v : values)
        if (v > largest)
            largest = v;
    return largest;
}
