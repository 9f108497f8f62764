#include "matrix.h"

#include <algorithm>
#include <cmath>

namespace vgl {

namespace {
const double kPi = 3.14159265358979323846;

float& element(Matrix& matrix, int row, int col) {
    return matrix.m[col * 4 + row];
}
}  // namespace

Matrix Matrix::identity() {
    return Matrix{{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};
}

bool Matrix::isIdentity() const {
    return m == identity().m;
}

bool Matrix::isAffine() const {
    return at(3, 0) == 0.0f && at(3, 1) == 0.0f && at(3, 2) == 0.0f && at(3, 3) == 1.0f;
}

Matrix operator*(const Matrix& a, const Matrix& b) {
    Matrix product{};
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 4; ++col) {
            element(product, row, col) = a.at(row, 0) * b.at(0, col) + a.at(row, 1) * b.at(1, col) +
                                         a.at(row, 2) * b.at(2, col) + a.at(row, 3) * b.at(3, col);
        }
    }
    return product;
}

Matrix fromDoubles(const double* values) {
    Matrix matrix{};
    for (int i = 0; i < 16; ++i) {
        matrix.m[i] = static_cast<float>(values[i]);
    }
    return matrix;
}

Matrix translation(float x, float y, float z) {
    Matrix matrix = Matrix::identity();
    element(matrix, 0, 3) = x;
    element(matrix, 1, 3) = y;
    element(matrix, 2, 3) = z;
    return matrix;
}

Matrix rotation(float degrees, float x, float y, float z) {
    const float s = static_cast<float>(std::sin(degrees * kPi / 180.0));
    const float c = static_cast<float>(std::cos(degrees * kPi / 180.0));
    Matrix matrix = Matrix::identity();
    // About a single axis: the two affected rows and columns only.
    const bool onlyX = y == 0.0f && z == 0.0f && x != 0.0f;
    const bool onlyY = x == 0.0f && z == 0.0f && y != 0.0f;
    const bool onlyZ = x == 0.0f && y == 0.0f && z != 0.0f;
    if (onlyX || onlyY || onlyZ) {
        const int a = onlyX ? 1 : (onlyY ? 2 : 0);
        const int b = onlyX ? 2 : (onlyY ? 0 : 1);
        const float sign = (onlyX ? x : (onlyY ? y : z)) < 0.0f ? -1.0f : 1.0f;
        element(matrix, a, a) = c;
        element(matrix, b, b) = c;
        element(matrix, a, b) = -sign * s;
        element(matrix, b, a) = sign * s;
        return matrix;
    }
    const float length = std::sqrt(x * x + y * y + z * z);
    if (length <= 1.0e-4f) {
        return matrix;  // no axis: no turn
    }
    x /= length;
    y /= length;
    z /= length;
    const float oneMinusC = 1.0f - c;
    element(matrix, 0, 0) = oneMinusC * x * x + c;
    element(matrix, 0, 1) = oneMinusC * x * y - z * s;
    element(matrix, 0, 2) = oneMinusC * z * x + y * s;
    element(matrix, 1, 0) = oneMinusC * x * y + z * s;
    element(matrix, 1, 1) = oneMinusC * y * y + c;
    element(matrix, 1, 2) = oneMinusC * y * z - x * s;
    element(matrix, 2, 0) = oneMinusC * z * x - y * s;
    element(matrix, 2, 1) = oneMinusC * y * z + x * s;
    element(matrix, 2, 2) = oneMinusC * z * z + c;
    return matrix;
}

Matrix scaling(float x, float y, float z) {
    Matrix matrix = Matrix::identity();
    element(matrix, 0, 0) = x;
    element(matrix, 1, 1) = y;
    element(matrix, 2, 2) = z;
    return matrix;
}

Matrix orthographic(double left, double right, double bottom, double top, double zNear,
                    double zFar) {
    Matrix matrix = Matrix::identity();
    element(matrix, 0, 0) = static_cast<float>(2.0 / (right - left));
    element(matrix, 1, 1) = static_cast<float>(2.0 / (top - bottom));
    element(matrix, 2, 2) = static_cast<float>(-2.0 / (zFar - zNear));
    element(matrix, 0, 3) = static_cast<float>(-(right + left) / (right - left));
    element(matrix, 1, 3) = static_cast<float>(-(top + bottom) / (top - bottom));
    element(matrix, 2, 3) = static_cast<float>(-(zFar + zNear) / (zFar - zNear));
    return matrix;
}

Matrix perspective(double left, double right, double bottom, double top, double zNear,
                   double zFar) {
    Matrix matrix{};
    element(matrix, 0, 0) = static_cast<float>(2.0 * zNear / (right - left));
    element(matrix, 1, 1) = static_cast<float>(2.0 * zNear / (top - bottom));
    element(matrix, 0, 2) = static_cast<float>((right + left) / (right - left));
    element(matrix, 1, 2) = static_cast<float>((top + bottom) / (top - bottom));
    element(matrix, 2, 2) = static_cast<float>(-(zFar + zNear) / (zFar - zNear));
    element(matrix, 3, 2) = -1.0f;
    element(matrix, 2, 3) = static_cast<float>(-2.0 * zFar * zNear / (zFar - zNear));
    return matrix;
}

std::array<float, 9> normalMatrix(const Matrix& matrix) {
    const auto a = [&](int row, int col) { return static_cast<double>(matrix.at(row, col)); };
    // Cofactors of the upper 3x3; divided by the determinant they are the
    // inverse transpose.
    const double c00 = a(1, 1) * a(2, 2) - a(1, 2) * a(2, 1);
    const double c01 = a(1, 2) * a(2, 0) - a(1, 0) * a(2, 2);
    const double c02 = a(1, 0) * a(2, 1) - a(1, 1) * a(2, 0);
    const double c10 = a(0, 2) * a(2, 1) - a(0, 1) * a(2, 2);
    const double c11 = a(0, 0) * a(2, 2) - a(0, 2) * a(2, 0);
    const double c12 = a(0, 1) * a(2, 0) - a(0, 0) * a(2, 1);
    const double c20 = a(0, 1) * a(1, 2) - a(0, 2) * a(1, 1);
    const double c21 = a(0, 2) * a(1, 0) - a(0, 0) * a(1, 2);
    const double c22 = a(0, 0) * a(1, 1) - a(0, 1) * a(1, 0);
    const double determinant = a(0, 0) * c00 + a(0, 1) * c01 + a(0, 2) * c02;
    if (determinant == 0.0) {
        return {};
    }
    const double k = 1.0 / determinant;
    // Column-major: element (row, col) at [col * 3 + row].
    return {static_cast<float>(c00 * k), static_cast<float>(c10 * k), static_cast<float>(c20 * k),
            static_cast<float>(c01 * k), static_cast<float>(c11 * k), static_cast<float>(c21 * k),
            static_cast<float>(c02 * k), static_cast<float>(c12 * k), static_cast<float>(c22 * k)};
}

std::array<float, 3> transformPoint(const Matrix& matrix, const float* point) {
    std::array<float, 3> out{};
    for (int row = 0; row < 3; ++row) {
        out[row] = matrix.at(row, 0) * point[0] + matrix.at(row, 1) * point[1] +
                   matrix.at(row, 2) * point[2] + matrix.at(row, 3);
    }
    return out;
}

std::array<float, 3> transformNormal(const std::array<float, 9>& normals, const float* normal) {
    std::array<float, 3> out{};
    for (int row = 0; row < 3; ++row) {
        out[row] =
            normals[row] * normal[0] + normals[3 + row] * normal[1] + normals[6 + row] * normal[2];
    }
    return out;
}

std::array<float, 4> transformVector4(const Matrix& matrix, const float* vector) {
    std::array<float, 4> out{};
    for (int row = 0; row < 4; ++row) {
        out[row] = matrix.at(row, 0) * vector[0] + matrix.at(row, 1) * vector[1] +
                   matrix.at(row, 2) * vector[2] + matrix.at(row, 3) * vector[3];
    }
    return out;
}

std::array<double, 4> planeInEye(const Matrix& matrix, const double* plane) {
    // The inverse by cofactors, in doubles: inverse[c * 4 + r] for row r, column c.
    const auto& a = matrix.m;
    std::array<double, 16> inverse{};
    inverse[0] = a[5] * a[10] * a[15] - a[5] * a[11] * a[14] - a[9] * a[6] * a[15] +
                 a[9] * a[7] * a[14] + a[13] * a[6] * a[11] - a[13] * a[7] * a[10];
    inverse[4] = -a[4] * a[10] * a[15] + a[4] * a[11] * a[14] + a[8] * a[6] * a[15] -
                 a[8] * a[7] * a[14] - a[12] * a[6] * a[11] + a[12] * a[7] * a[10];
    inverse[8] = a[4] * a[9] * a[15] - a[4] * a[11] * a[13] - a[8] * a[5] * a[15] +
                 a[8] * a[7] * a[13] + a[12] * a[5] * a[11] - a[12] * a[7] * a[9];
    inverse[12] = -a[4] * a[9] * a[14] + a[4] * a[10] * a[13] + a[8] * a[5] * a[14] -
                  a[8] * a[6] * a[13] - a[12] * a[5] * a[10] + a[12] * a[6] * a[9];
    inverse[1] = -a[1] * a[10] * a[15] + a[1] * a[11] * a[14] + a[9] * a[2] * a[15] -
                 a[9] * a[3] * a[14] - a[13] * a[2] * a[11] + a[13] * a[3] * a[10];
    inverse[5] = a[0] * a[10] * a[15] - a[0] * a[11] * a[14] - a[8] * a[2] * a[15] +
                 a[8] * a[3] * a[14] + a[12] * a[2] * a[11] - a[12] * a[3] * a[10];
    inverse[9] = -a[0] * a[9] * a[15] + a[0] * a[11] * a[13] + a[8] * a[1] * a[15] -
                 a[8] * a[3] * a[13] - a[12] * a[1] * a[11] + a[12] * a[3] * a[9];
    inverse[13] = a[0] * a[9] * a[14] - a[0] * a[10] * a[13] - a[8] * a[1] * a[14] +
                  a[8] * a[2] * a[13] + a[12] * a[1] * a[10] - a[12] * a[2] * a[9];
    inverse[2] = a[1] * a[6] * a[15] - a[1] * a[7] * a[14] - a[5] * a[2] * a[15] +
                 a[5] * a[3] * a[14] + a[13] * a[2] * a[7] - a[13] * a[3] * a[6];
    inverse[6] = -a[0] * a[6] * a[15] + a[0] * a[7] * a[14] + a[4] * a[2] * a[15] -
                 a[4] * a[3] * a[14] - a[12] * a[2] * a[7] + a[12] * a[3] * a[6];
    inverse[10] = a[0] * a[5] * a[15] - a[0] * a[7] * a[13] - a[4] * a[1] * a[15] +
                  a[4] * a[3] * a[13] + a[12] * a[1] * a[7] - a[12] * a[3] * a[5];
    inverse[14] = -a[0] * a[5] * a[14] + a[0] * a[6] * a[13] + a[4] * a[1] * a[14] -
                  a[4] * a[2] * a[13] - a[12] * a[1] * a[6] + a[12] * a[2] * a[5];
    inverse[3] = -a[1] * a[6] * a[11] + a[1] * a[7] * a[10] + a[5] * a[2] * a[11] -
                 a[5] * a[3] * a[10] - a[9] * a[2] * a[7] + a[9] * a[3] * a[6];
    inverse[7] = a[0] * a[6] * a[11] - a[0] * a[7] * a[10] - a[4] * a[2] * a[11] +
                 a[4] * a[3] * a[10] + a[8] * a[2] * a[7] - a[8] * a[3] * a[6];
    inverse[11] = -a[0] * a[5] * a[11] + a[0] * a[7] * a[9] + a[4] * a[1] * a[11] -
                  a[4] * a[3] * a[9] - a[8] * a[1] * a[7] + a[8] * a[3] * a[5];
    inverse[15] = a[0] * a[5] * a[10] - a[0] * a[6] * a[9] - a[4] * a[1] * a[10] +
                  a[4] * a[2] * a[9] + a[8] * a[1] * a[6] - a[8] * a[2] * a[5];
    const double determinant =
        a[0] * inverse[0] + a[1] * inverse[4] + a[2] * inverse[8] + a[3] * inverse[12];
    std::array<double, 4> eye{};
    if (determinant == 0.0) {
        std::copy_n(plane, 4, eye.begin());
        return eye;
    }
    // Column c of the result: the plane (a row) times column c of the inverse.
    for (int column = 0; column < 4; ++column) {
        for (int row = 0; row < 4; ++row) {
            eye[column] += plane[row] * inverse[column * 4 + row] / determinant;
        }
    }
    return eye;
}

MatrixStack::MatrixStack(std::size_t maxDepth)
    : entries_{Matrix::identity()}, maxDepth_(maxDepth) {}

bool MatrixStack::push() {
    if (entries_.size() >= maxDepth_) {
        return false;
    }
    entries_.push_back(entries_.back());
    return true;
}

bool MatrixStack::pop() {
    if (entries_.size() <= 1) {
        return false;
    }
    entries_.pop_back();
    return true;
}

void MatrixStack::reset() {
    entries_.assign(1, Matrix::identity());
}

}  // namespace vgl
