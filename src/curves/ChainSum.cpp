// SPDX-License-Identifier: GPL-3.0-or-later
#include "curves/ChainSum.h"

#include <algorithm>

#include "curves/WideVectors.h"

#if SONAVEL_WIDE_VECTOR_INTRINSICS
#include <immintrin.h>
#endif

namespace {
// Eight points at a time: the running sums of a block stay in registers while
// every element's response is added to them, so the sum is written once.
constexpr int kBlock = 8;

// Built twice (see WideVectors.h), so not declared in the header.
SONAVEL_WIDE_VECTOR_CLONES
void AddInBlocks(std::span<const GridResponse* const> responses, GridResponse& sumDb) {
    int first = 0;
    for (; first + kBlock <= kGridPointCount; first += kBlock) {
        std::array<double, kBlock> block{};
        for (const GridResponse* response : responses) {
            const double* points = response->data() + first;
            for (int j = 0; j < kBlock; ++j) {
                block[j] += points[j];
            }
        }
        std::copy(block.begin(), block.end(), sumDb.begin() + first);
    }
    for (; first < kGridPointCount; ++first) {
        double total = 0.0;
        for (const GridResponse* response : responses) {
            total += (*response)[first];
        }
        sumDb[first] = total;
    }
}

#if SONAVEL_WIDE_VECTOR_INTRINSICS
struct WideDrawing {
    __m256d pixelsPerDb;
    __m256d topDb;
    __m256d half;
    __m256d lowLimit;
    __m256d highLimit;
    __m256d topMargin;
    __m128i topMarginRows;
    __m256i pairUp;
};

// Four points of a sum into both curves, the same arithmetic as
// FillSumCurvesY: the row as TruncateToPixel of y + 0.5, the fraction as y
// clamped with NaN passing through.
SONAVEL_WIDE_VECTOR_TARGET
inline void DrawFourPoints(const WideDrawing& k, __m256d sumDb, PixelPoint* points,
                           PixelPointF* pointsF) {
    const __m256d y = _mm256_mul_pd(k.pixelsPerDb, _mm256_sub_pd(k.topDb, sumDb));
    const __m256d rounded = _mm256_add_pd(y, k.half);
    // max and min hand back their second operand when either is NaN, so NaN
    // passes both clamps; the row then turns it into 0.
    const __m256d rowClamped = _mm256_min_pd(k.highLimit, _mm256_max_pd(k.lowLimit, rounded));
    const __m256d isNumber = _mm256_cmp_pd(rounded, rounded, _CMP_ORD_Q);
    const __m128i rows =
        _mm_add_epi32(_mm256_cvttpd_epi32(_mm256_and_pd(rowClamped, isNumber)), k.topMarginRows);
    const __m256d yClamped = _mm256_min_pd(k.highLimit, _mm256_max_pd(k.lowLimit, y));
    const __m128 rowsF = _mm256_cvtpd_ps(_mm256_add_pd(yClamped, k.topMargin));

    // Each y goes into the odd lane of its point; the x lanes are kept.
    auto* wholePoints = reinterpret_cast<__m256i*>(points);
    const __m256i rowPairs = _mm256_permutevar8x32_epi32(_mm256_castsi128_si256(rows), k.pairUp);
    _mm256_storeu_si256(wholePoints,
                        _mm256_blend_epi32(_mm256_loadu_si256(wholePoints), rowPairs, 0xAA));
    auto* wholePointsF = reinterpret_cast<float*>(pointsF);
    const __m256 rowPairsF = _mm256_permutevar8x32_ps(_mm256_castps128_ps256(rowsF), k.pairUp);
    _mm256_storeu_ps(wholePointsF, _mm256_blend_ps(_mm256_loadu_ps(wholePointsF), rowPairsF, 0xAA));
}

SONAVEL_WIDE_VECTOR_TARGET
inline __m256d AddFourPoints(std::span<const GridResponse* const> responses, int first) {
    __m256d sum = _mm256_setzero_pd();
    for (const GridResponse* response : responses) {
        sum = _mm256_add_pd(sum, _mm256_loadu_pd(response->data() + first));
    }
    return sum;
}
#endif
}  // namespace

void SumResponses(std::span<const GridResponse* const> responses, GridResponse& sumDb) {
    AddInBlocks(responses, sumDb);
}

void DrawSummedResponsesPlain(std::span<const GridResponse* const> responses,
                              const GraphScale& scale, SumCurve& curve, SumCurveF& curveF) {
    GridResponse sumDb;
    AddInBlocks(responses, sumDb);
    FillSumCurvesY(scale, sumDb, curve, curveF);
}

#if SONAVEL_WIDE_VECTOR_INTRINSICS
bool OnePassDrawAvailable() {
    return WideVectorsAvailable();
}

SONAVEL_WIDE_VECTOR_TARGET
void DrawSummedResponsesOnePass(std::span<const GridResponse* const> responses,
                                const GraphScale& scale, SumCurve& curve, SumCurveF& curveF) {
    const WideDrawing k{_mm256_set1_pd(scale.PixelsPerDb()),
                        _mm256_set1_pd(kPlotTopDb),
                        _mm256_set1_pd(0.5),
                        _mm256_set1_pd(-kPixelLimit),
                        _mm256_set1_pd(kPixelLimit),
                        _mm256_set1_pd(kPlotTopMargin),
                        _mm_set1_epi32(kPlotTopMargin),
                        _mm256_setr_epi32(0, 0, 1, 1, 2, 2, 3, 3)};
    int first = 0;
    for (; first + kBlock <= kGridPointCount; first += kBlock) {
        __m256d lower = _mm256_setzero_pd();
        __m256d upper = _mm256_setzero_pd();
        for (const GridResponse* response : responses) {
            lower = _mm256_add_pd(lower, _mm256_loadu_pd(response->data() + first));
            upper = _mm256_add_pd(upper, _mm256_loadu_pd(response->data() + first + 4));
        }
        DrawFourPoints(k, lower, &curve[first], &curveF[first]);
        DrawFourPoints(k, upper, &curve[first + 4], &curveF[first + 4]);
    }
    // The points past the last whole block: the last four points are summed
    // and drawn again, so the ones already drawn get the same values twice.
    static_assert(kGridPointCount >= 4);
    const int lastFour = kGridPointCount - 4;
    DrawFourPoints(k, AddFourPoints(responses, lastFour), &curve[lastFour], &curveF[lastFour]);
}
#else
bool OnePassDrawAvailable() {
    return false;
}

void DrawSummedResponsesOnePass(std::span<const GridResponse* const> responses,
                                const GraphScale& scale, SumCurve& curve, SumCurveF& curveF) {
    DrawSummedResponsesPlain(responses, scale, curve, curveF);
}
#endif

void DrawSummedResponses(std::span<const GridResponse* const> responses, const GraphScale& scale,
                         SumCurve& curve, SumCurveF& curveF) {
    if (OnePassDrawAvailable()) {
        DrawSummedResponsesOnePass(responses, scale, curve, curveF);
    } else {
        DrawSummedResponsesPlain(responses, scale, curve, curveF);
    }
}
