#pragma once

#include <array>
#include <cstddef>
#include <vector>

namespace vgl {

// A 4x4 matrix in OpenGL's column-major order: row r, column c at m[c * 4 + r].
struct Matrix {
    std::array<float, 16> m;

    static Matrix identity();
    float at(int row, int col) const {
        return m[col * 4 + row];
    }
    bool isIdentity() const;
    // The bottom row is (0, 0, 0, 1): points keep w = 1.
    bool isAffine() const;
};

// a * b: b is applied to a vector first.
Matrix operator*(const Matrix& a, const Matrix& b);

Matrix fromDoubles(const double* values);
Matrix translation(float x, float y, float z);
// A turn of the given degrees about the axis (x, y, z), right-handed. Rotations
// about a coordinate axis have exact zeros and ones, as OpenGL drivers give them.
Matrix rotation(float degrees, float x, float y, float z);
Matrix scaling(float x, float y, float z);
Matrix orthographic(double left, double right, double bottom, double top, double zNear,
                    double zFar);
// glFrustum's matrix: the eye at the origin looking down -z, the near plane's
// rectangle [left, right] x [bottom, top] filling the view.
Matrix perspective(double left, double right, double bottom, double top, double zNear, double zFar);

// The inverse transpose of the upper 3x3, which carries normals as the matrix
// carries points; column-major, 9 values. A singular matrix gives zeros.
std::array<float, 9> normalMatrix(const Matrix& matrix);

// (x, y, z, 1) carried by an affine matrix.
std::array<float, 3> transformPoint(const Matrix& matrix, const float* point);
// A vector carried by a normal matrix.
std::array<float, 3> transformNormal(const std::array<float, 9>& normals, const float* normal);
std::array<float, 4> transformVector4(const Matrix& matrix, const float* vector);
// A plane (a, b, c, d) given in the frame `matrix` carries into eye space,
// in eye space: the plane times the matrix's inverse. Under a singular
// matrix, which has none, it is taken as given, as Mesa takes it.
std::array<double, 4> planeInEye(const Matrix& matrix, const double* plane);

// A matrix stack of bounded depth; the bottom entry always exists.
class MatrixStack {
   public:
    explicit MatrixStack(std::size_t maxDepth);
    Matrix& top() {
        return entries_.back();
    }
    const Matrix& top() const {
        return entries_.back();
    }
    std::size_t depth() const {
        return entries_.size();
    }
    std::size_t maxDepth() const {
        return maxDepth_;
    }
    // Both return false, changing nothing, where OpenGL reports a stack
    // overflow or underflow.
    bool push();
    bool pop();
    void reset();

   private:
    std::vector<Matrix> entries_;
    std::size_t maxDepth_;
};

}  // namespace vgl
