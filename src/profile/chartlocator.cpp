#include "profile/chartlocator.h"

#include <QFile>

#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>
#include <opencv2/mcc.hpp>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// The detectors work on a reduced copy: finding the chart needs no more, and a 24-megapixel
// photograph would take seconds.
constexpr int kSearchSize = 1200;

cv::Mat Reduced(const cv::Mat& image, double* scale) {
    *scale = std::min(1.0, double(kSearchSize) / std::max(image.cols, image.rows));
    if (*scale >= 1.0)
        return image;
    cv::Mat out;
    cv::resize(image, out, cv::Size(), *scale, *scale, cv::INTER_AREA);
    return out;
}

Quad ToQuad(const std::vector<cv::Point2f>& points, double scale, cv::Point2f offset = {}) {
    Quad q;
    for (int i = 0; i < 4; ++i)
        q[std::size_t(i)] = QPointF(points[std::size_t(i)].x / scale + offset.x,
                                    points[std::size_t(i)].y / scale + offset.y);
    return q;
}

std::optional<std::vector<cv::Point2f>> DetectBlock(const cv::Mat& image) {
    cv::Ptr<cv::mcc::CCheckerDetector> detector = cv::mcc::CCheckerDetector::create();
    if (!detector->process(image, cv::mcc::MCC24, 1))
        return std::nullopt;
    const std::vector<cv::Point2f> box = detector->getBestColorChecker()->getBox();
    if (box.size() != 4)
        return std::nullopt;
    return box;
}

// The detector's box, found again on a crop around it so that a chart small in the frame is
// located on more pixels than the reduced whole image gives it.
std::optional<Quad> LocateBlock(const cv::Mat& image) {
    double scale = 1.0;
    const auto coarse = DetectBlock(Reduced(image, &scale));
    if (!coarse)
        return std::nullopt;
    std::vector<cv::Point2f> box = *coarse;
    for (cv::Point2f& p : box)
        p /= scale;
    cv::Rect area = cv::boundingRect(box);
    const int margin = std::max(area.width, area.height) / 4;
    area = cv::Rect(area.x - margin, area.y - margin, area.width + 2 * margin,
                    area.height + 2 * margin) &
           cv::Rect(0, 0, image.cols, image.rows);
    double cropScale = 1.0;
    const auto fine = DetectBlock(Reduced(image(area), &cropScale));
    if (fine)
        return ToQuad(*fine, cropScale, cv::Point2f(float(area.x), float(area.y)));
    return ToQuad(box, 1.0);
}

struct Patch {
    std::vector<cv::Point> contour;
    cv::Point2f centre;
    double area = 0.0;
};

// Closed, convex, square-ish shapes between edges: candidate patches.
std::vector<Patch> FindPatches(const cv::Mat& grey) {
    cv::Mat edges;
    cv::Canny(grey, edges, 20, 60);
    cv::dilate(edges, edges, cv::Mat());
    std::vector<std::vector<cv::Point>> contours;
    cv::findContours(255 - edges, contours, cv::RETR_LIST, cv::CHAIN_APPROX_SIMPLE);
    const double minArea = 1e-4 * grey.total();
    const double maxArea = 0.05 * grey.total();
    std::vector<Patch> patches;
    for (const auto& c : contours) {
        const double area = cv::contourArea(c);
        if (area < minArea || area > maxArea)
            continue;
        std::vector<cv::Point> poly;
        cv::approxPolyDP(c, poly, 0.06 * cv::arcLength(c, true), true);
        if (poly.size() != 4 || !cv::isContourConvex(poly))
            continue;
        const cv::RotatedRect r = cv::minAreaRect(c);
        const double aspect = r.size.width / std::max(1.0f, r.size.height);
        if (aspect < 0.5 || aspect > 2.0 || area < 0.8 * r.size.area())
            continue;
        patches.push_back({poly, r.center, area});
    }
    return patches;
}

// The biggest group of patches of like size that touch their neighbours' surroundings.
std::vector<const Patch*> LargestGrid(const std::vector<Patch>& patches) {
    std::vector<int> group(patches.size(), -1);
    std::vector<std::vector<const Patch*>> groups;
    for (std::size_t seed = 0; seed < patches.size(); ++seed) {
        if (group[seed] >= 0)
            continue;
        const int g = int(groups.size());
        groups.emplace_back();
        std::vector<std::size_t> stack{seed};
        group[seed] = g;
        while (!stack.empty()) {
            const Patch& p = patches[stack.back()];
            stack.pop_back();
            groups[std::size_t(g)].push_back(&p);
            for (std::size_t j = 0; j < patches.size(); ++j) {
                const Patch& q = patches[j];
                const double ratio = q.area / p.area;
                const double reach = 2.2 * std::sqrt(std::max(p.area, q.area));
                if (group[j] < 0 && ratio > 0.5 && ratio < 2.0 &&
                    cv::norm(q.centre - p.centre) < reach) {
                    group[j] = g;
                    stack.push_back(j);
                }
            }
        }
    }
    std::vector<const Patch*> best;
    for (const auto& g : groups) {
        if (g.size() > best.size())
            best = g;
    }
    return best;
}

// The region's four corners.
std::vector<cv::Point2f> RegionCorners(const std::vector<const Patch*>& grid) {
    std::vector<cv::Point> points;
    for (const Patch* p : grid)
        points.insert(points.end(), p->contour.begin(), p->contour.end());
    std::vector<cv::Point> hull;
    cv::convexHull(points, hull);
    std::vector<cv::Point> quad;
    for (double eps = 0.01; eps < 0.2 && quad.size() != 4; eps += 0.01)
        cv::approxPolyDP(hull, quad, eps * cv::arcLength(hull, true), true);
    std::vector<cv::Point2f> corners;
    if (quad.size() == 4) {
        for (const cv::Point& p : quad)
            corners.emplace_back(float(p.x), float(p.y));
    } else {
        cv::Point2f box[4];
        cv::minAreaRect(points).points(box);
        corners.assign(box, box + 4);
    }
    return corners;
}

std::optional<Quad> LocateRegion(const cv::Mat& image) {
    double scale = 1.0;
    cv::Mat grey;
    cv::cvtColor(Reduced(image, &scale), grey, cv::COLOR_BGR2GRAY);
    const std::vector<Patch> patches = FindPatches(grey);
    const std::vector<const Patch*> grid = LargestGrid(patches);
    if (grid.size() < 6)
        return std::nullopt;
    return EnOrdenDeImagen(ToQuad(RegionCorners(grid), scale));
}

} // namespace

Quad EnOrdenDeImagen(Quad corners) {
    const QPointF centre = (corners[0] + corners[1] + corners[2] + corners[3]) / 4.0;
    std::sort(corners.begin(), corners.end(), [&](const QPointF& a, const QPointF& b) {
        return std::atan2(a.y() - centre.y(), a.x() - centre.x()) <
               std::atan2(b.y() - centre.y(), b.x() - centre.x());
    });
    const auto first =
        std::min_element(corners.begin(), corners.end(), [](const QPointF& a, const QPointF& b) {
            return a.x() + a.y() < b.x() + b.y();
        });
    std::rotate(corners.begin(), first, corners.end());
    return corners;
}

QList<LocatedChart> LocateChart(const QString& imagePath, bool block, ProbeCopy* probe) {
    QList<LocatedChart> found;
    const cv::Mat image = cv::imread(QFile::encodeName(imagePath).toStdString(), cv::IMREAD_COLOR);
    if (image.empty())
        return found;
    if (probe && !probe->path.isEmpty()) {
        probe->scale = std::min(1.0, double(kProbeSize) / std::max(image.cols, image.rows));
        cv::Mat small;
        cv::resize(image, small, cv::Size(), probe->scale, probe->scale, cv::INTER_AREA);
        probe->written = cv::imwrite(QFile::encodeName(probe->path).toStdString(), small,
                                     {cv::IMWRITE_TIFF_COMPRESSION, 1});
    }
    if (block) {
        if (const auto quad = LocateBlock(image))
            found.append({LocatedChart::Block, *quad});
    }
    if (const auto quad = LocateRegion(image))
        found.append({LocatedChart::Region, *quad});
    return found;
}
