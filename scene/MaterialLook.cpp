#include "scene/MaterialLook.h"

#include "cob/Mat1Chunk.h"

namespace verdin {

namespace {

float NumberOr(const Shader* shader, const char* name, float otherwise)
{
    const ShaderParameter* parameter = shader ? shader->Find(name, ShaderParameter::Type::kFloat) : nullptr;
    return parameter ? parameter->numbers[0] : otherwise;
}

}  // namespace

MaterialLook LookOf(const CMat1Chunk& material)
{
    const ShaderBox& shaders = material.m_shaders;
    MaterialLook look;
    look.colour = material.m_colour;
    look.opacity = NumberOr(shaders.OfClass(Shader::Class::kTransparency), "opacity", material.m_fAlpha);
    look.shading = material.m_cShader;
    const Shader* reflectance = shaders.OfClass(Shader::Class::kReflectance);
    look.specular = NumberOr(reflectance, "specular factor", material.m_fSpecular);
    look.phongPower = NumberOr(reflectance, "exponent", 3 + 40 * material.m_fExponent);
    return look;
}

}  // namespace verdin
