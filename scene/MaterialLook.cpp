#include "scene/MaterialLook.h"

#include "cob/Mat1Chunk.h"

namespace verdin {

MaterialLook LookOf(const CMat1Chunk& material)
{
    const ShaderBox& shaders = material.m_shaders;
    MaterialLook look;
    look.colour = material.m_colour;
    const Shader* transparency = shaders.OfClass(Shader::Class::kTransparency);
    look.opacity = transparency ? transparency->Number("opacity", material.m_fAlpha) : material.m_fAlpha;
    look.shading = material.m_cShader;
    const Shader* reflectance = shaders.OfClass(Shader::Class::kReflectance);
    const float power = 3 + 40 * material.m_fExponent;
    look.specular = reflectance ? reflectance->Number("specular factor", material.m_fSpecular) : material.m_fSpecular;
    look.phongPower = reflectance ? reflectance->Number("exponent", power) : power;
    return look;
}

}  // namespace verdin
