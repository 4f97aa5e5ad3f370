// The S.T.O.N.E. score bands and the parts a stones model gives them.

#include "SceneMeasurement.h"

namespace measure {

int stoneSizeScoreOf(double area)
{
    return area < 400 ? 1 : area < 800 ? 2 : area < 1600 ? 3 : 4;
}

int tractScoreOf(double tract)
{
    return tract <= 100 ? 1 : 2;
}

int essenceScoreOf(double density)
{
    return density <= 950 ? 1 : 2;
}

namespace {

std::optional<int> scored(const std::optional<double> &value, int (*band)(double))
{
    return value ? std::optional<int>(band(*value)) : std::nullopt;
}

std::optional<int> entered(int value, int highest)
{
    return value >= 1 && value <= highest ? std::optional<int>(value) : std::nullopt;
}

} // namespace

std::optional<int> StoneScore::sizeScore() const
{
    return scored(area, stoneSizeScoreOf);
}

std::optional<int> StoneScore::tractScore() const
{
    return scored(tract, tractScoreOf);
}

std::optional<int> StoneScore::obstructionScore() const
{
    return entered(obstruction, 2);
}

std::optional<int> StoneScore::calycesScore() const
{
    return entered(calyces, 3);
}

std::optional<int> StoneScore::essenceScore() const
{
    return scored(density, essenceScoreOf);
}

int StoneScore::sum() const
{
    return sizeScore().value_or(0) + tractScore().value_or(0) + obstructionScore().value_or(0)
        + calycesScore().value_or(0) + essenceScore().value_or(0);
}

bool StoneScore::complete() const
{
    return sizeScore() && tractScore() && obstructionScore() && calycesScore() && essenceScore();
}

} // namespace measure
