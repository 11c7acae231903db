// The cs_ functions of the cstrike module, in list order.
#pragma once

#include <array>

#include "catalogue.h"

namespace quillon {

inline constexpr std::array<CatalogueEntry, 29> cstrikeEntries{{
    {u"cs_get_hostage_foll",
     u"cs_get_hostage_foll(index):返回跟随人质的实体索引,index是索引号,如果为0,表示人质不跟随任何事物"},
    {u"cs_get_hostage_id", u"cs_get_hostage_id(index):返回人质实体的唯一的ID"},
    {u"cs_get_user_bpammo",
     u"cs_get_user_bpammo(index, weapon ):返回玩家特定武器的弹药数量,index索引从1到32,weapon是武器索引,具体可以参考amxconst.inc文件内的武器索引说明"},
    {u"cs_get_user_buyzone", u"cs_get_user_buyzone(index):如果玩家在购买区则返回1,否则返回0,index从1到32"},
    {u"cs_get_user_deaths", u"cs_get_user_deaths ( index ):返回玩家死亡,index是玩家ID索引,从1到32"},
    {u"cs_get_user_defuse", u"cs_get_user_defuse ( index ):玩家是否有拆雷工具,index是玩家ID索引,1-32"},
    {u"cs_get_user_model",
     u"cs_get_user_model ( index, model[], len ):获得玩家模型,index是玩家ID索引,model是存储len的最大字串"},
    {u"cs_get_user_money", u"cs_get_user_money ( index ):获得玩家金钱数量,index是玩家ID索引.1-32"},
    {u"cs_get_user_nvg", u"cs_get_user_nvg ( index ):玩家是否有夜视镜,index是玩家ID索引1-32"},
    {u"cs_get_user_plant", u"cs_get_user_plant ( index ):玩家是否能埋包,index是玩家ID索引1-32"},
    {u"cs_get_user_team",
     u"cs_get_user_team ( index ):获取玩家队伍状态,CS_TEAM_T(匪徒), CS_TEAM_CT(警察), 或者 CS_TEAM_SPECTATOR(观察者),index是玩家ID索引1-32"},
    {u"cs_get_user_vip", u"cs_get_user_vip ( index ):获取玩家是否是VIP,index是玩家ID索引.1-32"},
    {u"cs_get_weapon_ammo", u"cs_get_weapon_ammo ( index ):返回玩家武器的弹夹子弹数量总数,index是玩家ID索引,1-32"},
    {u"cs_get_weapon_burst", u"cs_get_weapon_burst ( index ):返回玩家武器是否触发状态,index是玩家ID索引,1-32"},
    {u"cs_get_weapon_silen", u"cs_get_weapon_silen ( index ):返回玩家武器是否安静,index是玩家ID索引,1-32"},
    {u"cs_reset_user_model", u"cs_reset_user_model ( index ):重设玩家模型,index是玩家ID索引.1-32"},
    {u"cs_set_hostage_foll",
     u"cs_set_hostage_foll ( index, [ entity ] ):设置人质跟随,如果实体索引为0,人质什么也不跟随,index是玩家ID索引"},
    {u"cs_set_user_bpammo",
     u"cs_set_user_bpammo ( index, weapon, amount ):玩家特定武器装添或移除弹药,index是玩家ID索引,wepon是武器索引,amount是弹药数量"},
    {u"cs_set_user_deaths", u"cs_set_user_deaths ( index, deaths ):设置玩家死亡,index是玩家ID索引,1-32,"},
    {u"cs_set_user_defuse",
     u"cs_set_user_defuse ( index, [ defusekit, r, g, b, icon, flash ] ):设置玩家有无拆雷工具,index是玩家ID索引,rgb是图标颜色,icon是拆雷工具图标,你可以自己设置,flash是图标状态,"},
    {u"cs_set_user_model", u"cs_set_user_model ( index, const model[] ):设置玩家模型,仅CS,index是玩家ID索引,"},
    {u"cs_set_user_money",
     u"cs_set_user_money ( index , money, [ flash ] ):设置玩家金钱数量,index是玩家ID索引,如果flash设置0,新旧数据只间不会闪现,如果设置超过16000,金钱数量不会显示"},
    {u"cs_set_user_nvg", u"cs_set_user_nvg ( index, [ toggle ] ):设置玩家是否有夜视镜,index是玩家ID索引."},
    {u"cs_set_user_plant",
     u"cs_set_user_plant ( index, [ plant, showbombicon ] ):设置玩家是否可以埋雷,它只在玩家在埋雷区并且有雷时候生效,如果管理员给予玩家C4,你应该使用它,如果showbombicon值为1,则绿色图标将显示在玩家HUD信息区"},
    {u"cs_set_user_team",
     u"cs_set_user_team ( index, team, [ model ] ):设置玩家队伍而不改变玩家生死状态,队伍为CS_TEAM_T(匪徒), CS_TEAM_CT(警察), 或者 CS_TEAM_SPECTATOR.(观察员),你能随意使用下列模型之一： CS_CT_URBAN||CS_T_TERROR||CS_T_LEET||CS_T_ARCTIC||CS_CT_GSG9||CS_CT_GIGN||CS_CT_SAS||CS_T_GUERILLA||CS_CT_VIP"},
    {u"cs_set_user_vip",
     u"cs_set_user_vip ( index, [ vip ] ):设置玩家是否VIP.如果设置了则玩家会使用VIP模型,否则玩家将随机成为CT中的一个,它不能使用在CT之外的玩家上,如果成为VIP,游戏模式将变为匪徒杀死VIP就胜利!"},
    {u"cs_set_weapon_ammo",
     u"cs_set_weapon_ammo ( index, newammo ):设置玩家武器弹夹内的武器数量,它不能用在没有武器的玩家,所以使用前你必须获得玩家武器索引."},
    {u"cs_set_weapon_burst",
     u"cs_set_weapon_burst ( index, [ burstmode ] ):设置玩家武器的触发模式.,它只能工作在Glock 或FAMAS武器下"},
    {u"cs_set_weapon_silen",
     u"cs_set_weapon_silen ( index, [ silence ] ):设置玩家武器安静模式,只能工作在USP或M4武器下"},
}};

}  // namespace quillon
