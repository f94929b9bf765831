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
    const auto reflected = [reflectance](const char* name, float otherwise) {
        return reflectance ? reflectance->Number(name, otherwise) : otherwise;
    };
    look.specular = reflected("specular factor", material.m_fSpecular);
    look.phongPower = reflected("exponent", 3 + 40 * material.m_fExponent);
    look.ambient = reflected("ambient factor", material.m_fAmbient);
    const ShaderParameter* highlight =
        reflectance ? reflectance->Find("specular colour", ShaderParameter::Type::kColour) : nullptr;
    look.highlight = highlight && look.shading != 'm'
                         ? CobVector{highlight->numbers[0], highlight->numbers[1], highlight->numbers[2]}
                         : look.colour;
    return look;
}

}  // namespace verdin
