#include "objects/BillboardCorners.h"

#include <GL/gl.h>

namespace brx {

BillboardCorners& BillboardCorners::current() {
    static BillboardCorners corners;
    return corners;
}

void BillboardCorners::computeFrom(const Matrix4& modelView) {
    const Vector3 right(modelView[0], modelView[4], modelView[8]);
    const Vector3 up(modelView[1], modelView[5], modelView[9]);
    a = -right + up;
    b = -right - up;
    c = right + up;
    d = right - up;
}

void BillboardCorners::drawBillboard(const Vector3& p, float halfWidth) const {
    drawBillboard(p, halfWidth, 0.0f, 1.0f, 0.0f, 1.0f);
}

void BillboardCorners::drawBillboard(const Vector3& p, float halfWidth, float lowU, float highU,
                                     float lowV, float highV) const {
    const Vector3 pa = p + a * halfWidth, pb = p + b * halfWidth;
    const Vector3 pc = p + c * halfWidth, pd = p + d * halfWidth;
    glBegin(GL_TRIANGLE_STRIP);
    glTexCoord2f(lowU, highV);
    glVertex3f(pa.x, pa.y, pa.z);
    glTexCoord2f(lowU, lowV);
    glVertex3f(pb.x, pb.y, pb.z);
    glTexCoord2f(highU, highV);
    glVertex3f(pc.x, pc.y, pc.z);
    glTexCoord2f(highU, lowV);
    glVertex3f(pd.x, pd.y, pd.z);
    glEnd();
}

}  // namespace brx
